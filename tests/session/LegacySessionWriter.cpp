// Writes the legacy session fixtures. Disabled: the files in
// tests/session/fixtures were written by it with the program as it was before
// a picture's time was read without a zone, and they must stay what that
// program wrote. To write them again, check out that program and run
//   session_tests --gtest_also_run_disabled_tests --gtest_filter='LegacySessionWriter.*'
#include <gtest/gtest.h>

#include "app/SessionCommands.h"
#include "tests/session/LegacySessions.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

TEST(LegacySessionWriter, DISABLED_writeFixtures) {
    for (const test::LegacyFixture& fixture : test::legacyFixtures()) {
        test::TzGuard zone(fixture.zone);
        FixedClock clock(fixture.now);
        test::TempDir source;
        test::writeLegacyPictures(source);
        Workspace work(realFileSystem(), clock);
        test::ScriptedPrompter prompter;
        test::buildLegacyWork(work, source.path(), prompter);
        const std::string path = std::string(LUMORA_SESSION_FIXTURES) + "/" + fixture.file;
        EXPECT_EQ(saveSessionCommand(work, path, prompter), SessionResult::Done) << path;
    }
}

}  // namespace
}  // namespace lumora
