// Documents at the edges of their surroundings: a program started with its standard input closed
// (the first file it opens gets descriptor 0), and a new document's header agreeing with the
// program's default settings.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "settings/settings.h"
#include "document/document_file.h"

using namespace humidraw;

TEST(DocumentEdges, ReadWithStandardInputClosed) {
    ObjectRecord r;
    r.kind = kTextObject;
    r.h1 = 12, r.x1 = 0.01;
    r.text = "A";
    const auto bytes = serializeDocument(DocumentHeader{}, {r});
    ASSERT_TRUE(bytes);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("humidraw-stdin-" + std::to_string(getpid()) + ".hdw"))
                                 .string();
    {
        std::ofstream out(path, std::ios::binary);
        out << *bytes;
        ASSERT_TRUE(out.good());
    }
    const int saved = dup(0);
    ASSERT_GE(saved, 0);
    close(0);
    const DocumentRead read = readDocumentFile(path);
    ASSERT_EQ(dup2(saved, 0), 0);
    close(saved);
    std::remove(path.c_str());
    EXPECT_TRUE(read.status.ok()) << read.status.error();
    ASSERT_EQ(read.contents.records.size(), 1u);
    EXPECT_EQ(read.contents.records[0].text, "A");
}

TEST(DocumentEdges, NewHeaderCarriesTheDefaultSettings) {
    const DocumentHeader h;
    const Settings s;
    EXPECT_EQ(h.pressureMmHg, s.pressureMmHg);
    EXPECT_EQ(h.dbMin, s.dbMin);
    EXPECT_EQ(h.dbMax, s.dbMax);
    EXPECT_EQ(h.fontSize, s.fontSize);
    EXPECT_EQ(h.fontName, s.fontName);
    EXPECT_EQ(h.view, s.view);
    EXPECT_EQ(h.si, s.isSI());
}
