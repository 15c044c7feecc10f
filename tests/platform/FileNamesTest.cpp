#include "platform/FileNames.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

TEST(PlainFileName, refusesWhatWouldLeaveTheFolderOnEveryFileSystem) {
    for (const NameRules rules : {NameRules::Posix, NameRules::Windows}) {
        for (const std::string& name :
             {std::string(), std::string("."), std::string(".."), std::string("../x"),
              std::string("a/b"), std::string("/"), std::string("x\0y", 3)}) {
            EXPECT_FALSE(isPlainFileName(name, rules)) << name;
        }
        for (const char* name : {"Holiday-17 [2019-01-02] [03 04 05].jpg", "...jpg",
                                        ".hidden", "Album.3", "\xC3\xA9t\xC3\xA9"}) {
            EXPECT_TRUE(isPlainFileName(name, rules)) << name;
        }
    }
}

TEST(PlainFileName, windowsAlsoRefusesItsReservedCharactersAndDeviceNames) {
    for (const char* name :
         {"a\\b", "C:x", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "tab\there", "dot.", "space ",
          "CON", "con.jpg", "NUL.txt", "com1", "LPT9.jpg", "aux .jpg"}) {
        EXPECT_FALSE(isPlainFileName(name, NameRules::Windows)) << name;
        EXPECT_TRUE(isPlainFileName(name, NameRules::Posix)) << name;
    }
    for (const char* name : {"CONSOLE.jpg", "com10", "nullity", "LPT.jpg"}) {
        EXPECT_TRUE(isPlainFileName(name, NameRules::Windows)) << name;
    }
}

#ifndef _WIN32  // the test makes its links with POSIX calls
TEST(SameFile, comparesTheFoldersThatPathsReachNotTheirTexts) {
    test::TempDir temp;
    FileSystem& fs = realFileSystem();
    const std::string source = temp.makeDir("SRC");
    const std::string other = temp.makeDir("other");
    const std::string link = temp.file("link");
    ASSERT_EQ(::symlink(source.c_str(), link.c_str()), 0);

    for (const std::string& same : {source + "/", source + "/.", link, temp.file("other/../SRC")}) {
        EXPECT_TRUE(sameFile(fs, source, same)) << same;
    }
    EXPECT_FALSE(sameFile(fs, source, other));
    EXPECT_FALSE(sameFile(fs, source, temp.file("missing")));
    EXPECT_TRUE(sameFile(fs, temp.file("missing"), temp.file("missing")));
}
#endif

}  // namespace
}  // namespace lumora
