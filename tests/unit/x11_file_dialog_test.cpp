// The X11 file dialogs' decisions: the filter's patterns, listing, the chosen path, the name field.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/x11/file_dialog_logic.h"

namespace {

namespace fd = platform::x11::file_dialog;

TEST(X11FileDialog, FilterPatternsAreSplitAtSemicolons) {
  EXPECT_EQ(fd::SplitPatterns("*.tpw"), std::vector<std::string>{"*.tpw"});
  EXPECT_EQ(fd::SplitPatterns("*.txt; *.TEXT;"), (std::vector<std::string>{"*.txt", "*.TEXT"}));
  EXPECT_TRUE(fd::SplitPatterns("").empty());
  EXPECT_EQ(fd::Trim("\t a b  "), "a b");
  EXPECT_EQ(fd::Trim("   "), "");
}

TEST(X11FileDialog, PatternsMatchIgnoringCase) {
  EXPECT_TRUE(fd::MatchPattern("*.tpw", "walk.tpw"));
  EXPECT_TRUE(fd::MatchPattern("*.tpw", "WALK.TPW"));
  EXPECT_TRUE(fd::MatchPattern("*.tpw", ".tpw"));
  EXPECT_TRUE(fd::MatchPattern("*.tpw", "a.b.tpw"));
  EXPECT_FALSE(fd::MatchPattern("*.tpw", "walk.tpw.bak"));
  EXPECT_FALSE(fd::MatchPattern("*.tpw", "walk.tp"));
  EXPECT_FALSE(fd::MatchPattern("*.tpw", "walktpw"));
  EXPECT_TRUE(fd::MatchPattern("w?lk*", "walking"));
  EXPECT_FALSE(fd::MatchPattern("w?lk", "wlk"));
  EXPECT_TRUE(fd::MatchPattern("*.*", "no_dot"));
  EXPECT_TRUE(fd::MatchPattern("*", "anything"));
  EXPECT_TRUE(fd::MatchesAny({}, "x.bin"));
  EXPECT_TRUE(fd::MatchesAny({"*.txt", "*.tpw"}, "a.tpw"));
  EXPECT_FALSE(fd::MatchesAny({"*.txt", "*.tpw"}, "a.png"));
}

class X11FileDialogFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/x11_file_dialog_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Touch(const std::string& name) { std::ofstream(dir_ + "/" + name) << "1,2,-1\r\n"; }
  void Folder(const std::string& name) { std::filesystem::create_directory(dir_ + "/" + name); }
  static std::vector<std::string> Names(const std::vector<fd::Entry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back((e.folder ? "[" : "") + e.name);
    return names;
  }
  std::string dir_;
};

TEST_F(X11FileDialogFolder, FoldersFirstThenMatchingFilesEachByNameIgnoringCase) {
  for (const char* f : {"b.tpw", "A.TPW", "c.txt", "a2.tpw", ".hidden.tpw"}) Touch(f);
  for (const char* f : {"zeta", "Alpha", "beta.tpw", ".git"}) Folder(f);
  auto entries = fd::ReadFolder(dir_, {"*.tpw"});
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"[..", "[Alpha", "[beta.tpw", "[zeta",
                                                      "A.TPW", "a2.tpw", "b.tpw"}));
  // No pattern: every file.
  EXPECT_EQ(Names(fd::ReadFolder(dir_, {})).size(), 8u);
}

TEST_F(X11FileDialogFolder, MissingFolderAndRootListOnlyWhatThereIs) {
  EXPECT_EQ(Names(fd::ReadFolder(dir_ + "/missing", {"*.tpw"})), std::vector<std::string>{"[.."});
  auto root = fd::ReadFolder("/", {"*.tpw"});
  ASSERT_FALSE(root.empty());
  EXPECT_NE(root[0].name, "..");  // nothing above the root
}

// A chooser asks about the name it answers; the name the extension makes of it is asked about
// apart, and only when that file is there.
TEST_F(X11FileDialogFolder, AReplacementTheChooserDidNotAskAbout) {
  Touch("walk.tpw");
  Touch("bare");
  platform::FileRequest save;
  save.save = true;
  save.default_extension = "tpw";
  const platform::FileRequest open;
  const std::string walk = dir_ + "/walk";
  const struct {
    std::string chosen;
    const platform::FileRequest& request;
    std::string unasked;
  } cases[] = {{walk, save, walk + ".tpw"},
               {walk + ".tpw", save, ""},
               {dir_ + "/bare", save, ""},
               {dir_ + "/new", save, ""},
               {walk, open, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(fd::ReplacedUnasked(c.chosen, c.request), c.unasked) << c.chosen;
}

TEST(X11FileDialog, ListOrderTellsCaseOnlyNamesApart) {
  std::vector<fd::Entry> entries{{"b", false}, {"B", false}, {"a", true}, {"..", true}};
  std::sort(entries.begin(), entries.end(), fd::ListedBefore);
  EXPECT_EQ(entries[0].name, "..");
  EXPECT_EQ(entries[1].name, "a");
  EXPECT_EQ(entries[2].name, "B");
  EXPECT_EQ(entries[3].name, "b");
}

TEST(X11FileDialog, ChosenPathFromFolderAndTypedName) {
  EXPECT_EQ(fd::JoinPath("/home/ana", "walk"), "/home/ana/walk");
  EXPECT_EQ(fd::JoinPath("/", "walk"), "/walk");
  EXPECT_EQ(fd::JoinPath("/home/ana", "recs/walk.tpw"), "/home/ana/recs/walk.tpw");
  EXPECT_EQ(fd::JoinPath("/home/ana", "/tmp/walk.tpw"), "/tmp/walk.tpw");
  EXPECT_EQ(fd::ParentFolder("/home/ana"), "/home");
  EXPECT_EQ(fd::ParentFolder("/home"), "/");
  EXPECT_EQ(fd::ParentFolder("/"), "/");
  EXPECT_EQ(fd::NamePart("/home/ana/walk.tpw"), "walk.tpw");
  EXPECT_EQ(fd::NamePart("walk.tpw"), "walk.tpw");
}

TEST(X11FileDialog, DefaultExtensionOnlyForANameWithoutDot) {
  EXPECT_EQ(fd::WithDefaultExtension("/r/walk", "tpw"), "/r/walk.tpw");
  EXPECT_EQ(fd::WithDefaultExtension("/r/walk.txt", "tpw"), "/r/walk.txt");
  EXPECT_EQ(fd::WithDefaultExtension("/r/walk.", "tpw"), "/r/walk.");
  EXPECT_EQ(fd::WithDefaultExtension("/r.d/walk", "tpw"), "/r.d/walk.tpw");
  EXPECT_EQ(fd::WithDefaultExtension("/r/walk", ".tpw"), "/r/walk.tpw");
  EXPECT_EQ(fd::WithDefaultExtension("/r/walk", ""), "/r/walk");
}

// A long path is the save's or the load's to refuse, where it can say why.
TEST(X11FileDialog, AnAnswerOfAnyLengthIsKept) {
  platform::FileRequest save;
  save.save = true;
  save.default_extension = "tpw";
  const platform::FileRequest open;
  const std::string deep = "/" + std::string(300, 'a') + "/" + std::string(200, 'b');
  EXPECT_EQ(fd::Answer(deep, open), deep);
  EXPECT_EQ(fd::Answer(deep, save), deep + ".tpw");
  EXPECT_EQ(fd::Answer("/r/walk", open), "/r/walk");  // an open adds no extension
}

TEST(X11FileDialog, ScrollKeepsTheSelectionInView) {
  EXPECT_EQ(fd::ScrollToShow(0, 0, 9, 20), 0);
  EXPECT_EQ(fd::ScrollToShow(9, 0, 9, 20), 1);
  EXPECT_EQ(fd::ScrollToShow(19, 0, 9, 20), 11);
  EXPECT_EQ(fd::ScrollToShow(3, 11, 9, 20), 3);
  EXPECT_EQ(fd::ScrollToShow(-1, 50, 9, 20), 11);  // no further than the last page
  EXPECT_EQ(fd::ScrollToShow(-1, 5, 9, 4), 0);     // everything fits
}

TEST(X11FileDialog, KeysTypeTheirCharactersAsUtf8) {
  EXPECT_EQ(fd::KeysymToCodepoint('a'), 'a');
  EXPECT_EQ(fd::KeysymToCodepoint('/'), '/');
  EXPECT_EQ(fd::KeysymToCodepoint(0xF1), 0xF1u);  // ntilde
  EXPECT_EQ(fd::KeysymToCodepoint(0xFFB7), '7');  // keypad 7
  EXPECT_EQ(fd::KeysymToCodepoint(0x010020AC), 0x20ACu);
  for (std::uint32_t none : {0xFF0Du, 0xFFBEu, 0x1Fu, 0x7Fu, 0x01000000u, 0x0100D800u, 0xFFFFFFu})
    EXPECT_EQ(fd::KeysymToCodepoint(none), 0u) << std::hex << none;
  EXPECT_EQ(fd::Utf8('a'), "a");
  EXPECT_EQ(fd::Utf8(0xF1), "\xC3\xB1");
  EXPECT_EQ(fd::Utf8(0x20AC), "\xE2\x82\xAC");
  EXPECT_EQ(fd::Utf8(0x1F600), "\xF0\x9F\x98\x80");
  for (const char* fine : {"a", "/", "\xC5\x82", "\xC2\xA0", "\xE2\x82\xAC"})
    EXPECT_TRUE(fd::Printable(fine)) << fine;
  for (const char* control : {"\t", "a\x7F", "\xC2\x85", "\x1B"})
    EXPECT_FALSE(fd::Printable(control));
}

TEST(X11FileDialog, NameFieldEditsWholeCharacters) {
  fd::LineEdit e;
  e.Set("año");
  EXPECT_EQ(e.Caret(), 4u);
  e.Left();
  EXPECT_EQ(e.Caret(), 3u);
  e.Left();  // over the two bytes of the ñ
  EXPECT_EQ(e.Caret(), 1u);
  e.Delete();
  EXPECT_EQ(e.Text(), "ao");
  e.Insert("ñ");
  EXPECT_EQ(e.Text(), "año");
  e.End();
  e.Backspace();
  e.Backspace();
  EXPECT_EQ(e.Text(), "a");
  e.Home();
  e.Backspace();  // nothing before the caret
  e.Insert("b");
  EXPECT_EQ(e.Text(), "ba");
  e.End();
  e.Delete();  // nothing after it
  e.Right();
  EXPECT_EQ(e.Text(), "ba");
  EXPECT_EQ(e.Caret(), 2u);
}

TEST(X11FileDialog, LongFolderShowsItsTail) {
  auto chars = [](const std::string& s) { return static_cast<int>(s.size()); };
  EXPECT_EQ(fd::ElideLeft("/home/ana", 20, chars), "/home/ana");
  EXPECT_EQ(fd::ElideLeft("/home/ana/recordings", 12, chars), "...ecordings");
  EXPECT_EQ(fd::ElideLeft("/x/ñandú", 7, chars), "...ndú");  // never half a character
  EXPECT_EQ(fd::ElideLeft("/abc", 2, chars), "...");
}

}  // namespace
