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
      "file:/relative-ish\r\n"
      "file://\r\n"
      "file:///bad%zzescape\r\n"
      "file:///cut%2\r\n"
      "file:///nul%00inside\r\n"
      "FILE:///upper-case-scheme-is-not-what-file-managers-send\r\n"
      "file:///kept.tpw\r\n";
  EXPECT_EQ(FilePathsFromUriList(list, "pc"), (Paths{"/kept.tpw"}));
  EXPECT_TRUE(FilePathsFromUriList("", "pc").empty());
}

}  // namespace
