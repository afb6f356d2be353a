// The X11 build's file drops: text/uri-list to local paths.
#include <gtest/gtest.h>

#include "platform/x11/uri_list.h"

namespace {

using platform::x11::FilePathsFromUriList;
using Paths = std::vector<std::string>;

TEST(X11UriList, LocalFilesInOrderWithEscapesDecoded) {
  EXPECT_EQ(FilePathsFromUriList("file:///home/ana/a%20b.tpw\r\nfile:///tmp/%C3%B1.tpw\r\n", "pc"),
            (Paths{"/home/ana/a b.tpw", "/tmp/\xC3\xB1.tpw"}));
  // The last line may lack its line end; bare LF also occurs.
  EXPECT_EQ(FilePathsFromUriList("file:///a.tpw\nfile:///b.tpw", "pc"),
            (Paths{"/a.tpw", "/b.tpw"}));
}

TEST(X11UriList, HostsThatNameThisMachineOnly) {
  EXPECT_EQ(FilePathsFromUriList("file://localhost/a\r\nfile://pc/b\r\nfile://other/c\r\n", "pc"),
            (Paths{"/a", "/b"}));
}

TEST(X11UriList, SkipsWhatIsNoLocalFile) {
  const char* list =
      "# a comment\r\n"
      "\r\n"
      "http://example.org/a.tpw\r\n"
      "file:relative\r\n"
      "file://\r\n"
      "file:///bad%zzescape\r\n"
      "file:///cut%2\r\n"
      "file:///nul%00inside\r\n"
      "file:///raw\x01control\r\n"
      "file:///kept.tpw\r\n";
  EXPECT_EQ(FilePathsFromUriList(list, "pc"), (Paths{"/kept.tpw"}));
  EXPECT_TRUE(FilePathsFromUriList("", "pc").empty());
}

// Each form of RFC 8089 for a local file, and what ends or refuses an entry.
TEST(X11UriList, EveryFormOfALocalFileUri) {
  const struct {
    std::string_view entry;
    const char* path;  // "" when refused
  } cases[] = {
      {"file:/a.tpw", "/a.tpw"},
      {"file:///a.tpw", "/a.tpw"},
      {"FILE:///a.tpw", "/a.tpw"},
      {"file://LocalHost/a.tpw", "/a.tpw"},
      {"file://PC/a.tpw", "/a.tpw"},
      {"file://pc.example/a.tpw", ""},
      {"file://pd/a.tpw", ""},
      {"file://p/a.tpw", ""},
      {"file://local/a.tpw", ""},
      {"data:/a.tpw", ""},
      {"file:///%39%6f%3a%6A.tpw", "/9o:j.tpw"},
      {"file:///a b.tpw", "/a b.tpw"},  // a raw blank is sloppy, but no control byte
      {"file:///a.tpw?x=1#top", "/a.tpw"},
      {"file:///a%3F.tpw", "/a?.tpw"},
      {"file:///a%00.tpw", ""},
      {"file:///a%z1.tpw", ""},
      {std::string_view("file:///evil\0x.tpw", 19), ""},
      {"file:///a\tb.tpw", ""},
      {"file:a.tpw", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    const Paths got = FilePathsFromUriList(c.entry, "pc");
    EXPECT_EQ(got, *c.path ? Paths{c.path} : Paths{});
  }
}

TEST(X11UriList, AListOverTheCapIsRefusedWhole) {
  std::string list;
  while (list.size() <= platform::x11::kMaxUriListBytes) list += "file:///a.tpw\r\n";
  EXPECT_TRUE(FilePathsFromUriList(list, "pc").empty());
  // Exactly at the cap: taken, a comment filling the last bytes.
  const size_t entries = (platform::x11::kMaxUriListBytes - 16) / 15;
  list.resize(entries * 15);
  list += "#" + std::string(platform::x11::kMaxUriListBytes - list.size() - 1, 'x');
  EXPECT_EQ(FilePathsFromUriList(list, "pc").size(), entries);
}

}  // namespace
