#pragma once

#include <string>
#include <vector>

namespace lumora::cli {

// Exit codes of every subcommand.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;

// Each subcommand gets the arguments after its name.
int runScan(const Arguments& args);
int runExif(const Arguments& args);
int runSamples(const Arguments& args);
int runThumbnail(const Arguments& args);
int runThumbnails(const Arguments& args);
int runInfo(const Arguments& args);
int runValues(const Arguments& args);
int runSession(const Arguments& args);
int runDuplicates(const Arguments& args);
int runProcess(const Arguments& args);
int runOrganize(const Arguments& args);

}  // namespace lumora::cli
