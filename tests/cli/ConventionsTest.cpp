// What every subcommand shares: its help, "--" before names that begin with
// a dash, errors in words, and the progress line of a terminal.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ErrorWords.h"
#include "cli/Options.h"
#include "tests/support/CapturedStream.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"

namespace lumora::cli {
namespace {

struct Printed {
    int code = -1;
    std::string out;
    std::string err;
};

Printed runLine(const Arguments& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Printed printed;
    printed.code = runCommandLine(args, "test");
    printed.out = testing::internal::GetCapturedStdout();
    printed.err = testing::internal::GetCapturedStderr();
    return printed;
}

// Every option a command takes is explained in its help, and every option
// its help explains is one the command takes.
TEST(Conventions, everyCommandsHelpExplainsEachOfItsOptions) {
    for (const CommandHelp& help : commandHelps()) {
        SCOPED_TRACE(help.name);
        const Printed printed = runLine({help.name, "--help"});
        EXPECT_EQ(printed.code, kExitSuccess);
        EXPECT_EQ(printed.out.rfind(std::string("Usage: lumora-cli ") + help.usage + "\n", 0), 0u);
        EXPECT_NE(printed.out.find("  --\n      end of the options"), std::string::npos);
        for (const OptionHelp& option : help.options) {
            EXPECT_NE(printed.out.find(std::string("  ") + option.names + "\n      "),
                      std::string::npos)
                << option.names;
            // Each named option is known to the command: whatever else goes
            // wrong, it is not refused as unknown.
            std::string name = option.names;
            name = name.substr(name.rfind(' ') == std::string::npos ? 0 : name.rfind(' ') + 1);
            if (name.find('|') != std::string::npos || name == "WxH" || name == "N" ||
                name == "S" || name == "FILE" || name == "DIR") {
                name = std::string(option.names).substr(0, std::string(option.names).find(' '));
            }
            const Printed tried = runLine({help.name, name, "--", "/nonexistent/x", "y"});
            EXPECT_EQ(tried.err.find("unknown option"), std::string::npos) << name << tried.err;
        }
        const Printed unknown = runLine({help.name, "--no-such-option", "x"});
        EXPECT_EQ(unknown.code, kExitUsage);
        EXPECT_NE(unknown.err.find("unknown option '--no-such-option'"), std::string::npos);
    }
    // What the answers do to a file that cannot be read, and what --json gives.
    for (const char* command : {"organize", "process"}) {
        // The help's lines joined again, its wrapping undone.
        std::string help;
        for (const char c : runLine({command, "--help"}).out) {
            if (c != ' ' && c != '\n') {
                help += c;
            } else if (!help.empty() && help.back() != ' ') {
                help += ' ';
            }
        }
        EXPECT_NE(help.find("--yes answer every question without asking: replace a file already "
                            "at a picture's target"),
                  std::string::npos)
            << command;
        EXPECT_NE(help.find("--no as --yes, but never replace a file"), std::string::npos);
        EXPECT_NE(help.find("a file that cannot be read while the source is scanned is skipped. "
                            "This is the answer when standard input is not a terminal"),
                  std::string::npos);
        EXPECT_NE(help.find("a file that cannot be read while the source is scanned stops the "
                            "scan"),
                  std::string::npos);
    }
    for (const char* command : {"exif", "duplicates"}) {
        EXPECT_NE(runLine({command, "--help"}).out.find("one JSON object per line"),
                  std::string::npos)
            << command;
    }
}

// A picture whose name begins with a dash is an option until "--" ends them;
// "--help" after "--" is a name too.
TEST(Conventions, doubleDashEndsTheOptions) {
    test::TempDir dir;
    const std::string picture = dir.writeFile("-x.jpg", test::exifPicture("2004:05:06 07:08:09"));
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    EXPECT_EQ(runLine({"info", "-x.jpg"}).code, kExitUsage);
    const Printed info = runLine({"info", "--", "-x.jpg"});
    EXPECT_EQ(info.code, kExitSuccess) << info.err;
    EXPECT_NE(info.out.find("Date: [2004-05-06]"), std::string::npos) << info.out;
    const Printed help = runLine({"info", "--", "--help"});
    EXPECT_EQ(help.code, kExitFailure);
    EXPECT_EQ(help.err, "lumora-cli info: --help: cannot open the file: no such file or folder\n");

    // A card folder named with a dash, organised by the same rule.
    dir.writeFile("-card/IMG_1.JPG", test::exifPicture("2004:05:06 07:08:09"));
    const Printed organized = runLine({"organize", "--no", "-q", "--", "-card", "-out"});
    EXPECT_EQ(organized.code, kExitSuccess) << organized.err;
    EXPECT_EQ(organized.out, "1 albums created succesfuly!\n");
    ASSERT_EQ(::chdir("/"), 0);
}

TEST(Conventions, errorsAreSaidInWordsNeverByNumber) {
    EXPECT_EQ(describeError(kErrorWriteProtect), "read-only file system");
    EXPECT_EQ(describeError(kErrorFileNotFound), "no such file or folder");
    // An errno without a Windows code, as the file system keeps it.
    EXPECT_EQ(describeError(kErrorUnmappedErrnoBit | EISDIR), "is a directory");
    EXPECT_EQ(describeError(12345), "an error the system did not name");

    test::TempDir dir;
    const Printed scan = runLine({"scan", dir.file("missing")});
    EXPECT_EQ(scan.err, "lumora-cli scan: " + dir.file("missing") + ": no such folder\n");
    const std::string file = dir.writeFile("a.jpg", std::string("x"));
    const Printed values = runLine({"values", file});
    EXPECT_EQ(values.err, "lumora-cli values: " + file + ": is a file, not a folder\n");
    // Writing a thumbnail onto a folder: the system's own words.
    const std::string picture = dir.writeFile("p.jpg", test::exifPicture("2004:05:06 07:08:09"));
    const Printed thumbnail = runLine({"thumbnail", picture, dir.path()});
    EXPECT_EQ(thumbnail.code, kExitFailure);
    EXPECT_EQ(thumbnail.err.find("(error"), std::string::npos) << thumbnail.err;
    EXPECT_NE(thumbnail.err.find(dir.path() + ": cannot create the file: "), std::string::npos)
        << thumbnail.err;
}

// A picture that is damaged is not a disk that failed.
TEST(Conventions, aDecodeFailureIsNotWordedAsADiskError) {
    test::TempDir dir;
    // JPEG markers with nothing a decoder can use.
    const std::string damaged = dir.writeFile("damaged.jpg", std::string(20, '\xFF'));
    const Printed printed = runLine({"thumbnail", damaged, dir.file("out.bmp")});
    EXPECT_EQ(printed.code, kExitFailure);
    EXPECT_EQ(printed.err.rfind(
                  "lumora-cli thumbnail: " + damaged + ": the picture cannot be decoded (", 0),
              0u)
        << printed.err;
    EXPECT_EQ(printed.err.find("disk"), std::string::npos);
}

// The progress line is redrawn in place and cleared before any other line,
// on standard output or standard error; without a terminal it never shows.
TEST(Conventions, theProgressLineIsClearedBeforeEveryOtherLine) {
    test::CapturedStream out;
    test::CapturedStream err;
    {
        Console console("scan", out.file(), err.file(), true);
        TerminalProgress progress(console);
        progress.setStatus("Scaning source directory. Please Wait...");
        progress.setRange(0, 4);
        progress.setPosition(1);
        console.notice("a message");
        progress.step();
        console.result("a result");
        progress.step();
        console.error("an error");
        progress.step();
    }
    const std::string errors = err.text();
    const std::string results = out.text();
    const std::string clear = "\r\033[K";
    EXPECT_EQ(errors, clear + "Scaning source directory. Please Wait..." + clear +
                          "Scaning source directory. Please Wait... 25%" + clear + "a message\n" +
                          clear + "Scaning source directory. Please Wait... 50%" + clear + clear +
                          "Scaning source directory. Please Wait... 75%" + clear +
                          "lumora-cli scan: an error\n" + clear +
                          "Scaning source directory. Please Wait... 100%" + clear);
    EXPECT_EQ(results, "a result\n");

    Console quiet("scan", stdout, stderr, true);
    quiet.setQuiet(true);
    testing::internal::CaptureStderr();
    quiet.showProgress("never shown");
    quiet.notice("nor this");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// A tab-separated line holds its fields whatever they hold. On Windows a
// path reads as Windows writes it, one backslash between folders; elsewhere
// a backslash is a character of a name and is doubled, so that \t and \n
// can stand for a tab and a line break.
TEST(Conventions, aTabSeparatedLineKeepsItsFieldsAndWindowsPathsReadAsWritten) {
    test::CapturedStream out;
    test::CapturedStream err;
    {
        Console console("scan", out.file(), err.file(), false);
        console.record({"C:\\DCIM\\100CANON\\IMG_0001.JPG", "Canon\tEOS\n10D", "x"});
    }
#ifdef _WIN32
    EXPECT_EQ(out.text(), "C:\\DCIM\\100CANON\\IMG_0001.JPG\tCanon EOS 10D\tx\n");
#else
    EXPECT_EQ(out.text(), "C:\\\\DCIM\\\\100CANON\\\\IMG_0001.JPG\tCanon\\tEOS\\n10D\tx\n");
#endif
}

}  // namespace
}  // namespace lumora::cli
