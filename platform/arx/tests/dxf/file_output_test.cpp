// The output thread of saving: chunks reach the file whole and in order, a failed write is
// reported (and nothing after it is written), an output dropped half-way stops cleanly, and a
// drawing saved to a file of many chunks is byte for byte the text written in memory.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>

#include "db/dxf/file_output.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "drawing_test_support.h"
#include "sample_files.h"

namespace fs = std::filesystem;
using arx::dxf::FileOutput;
using namespace dxftest;

namespace {

int openForWriting(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644); }

}  // namespace

TEST(FileOutput, ChunksReachTheFileWholeAndInOrder)
{
    const fs::path folder = scratchFolder("file-output");
    const fs::path path = folder / "chunks.txt";
    const int descriptor = openForWriting(path);
    ASSERT_GE(descriptor, 0);
    std::mt19937 random(7);
    std::string expected;
    {
        FileOutput output(descriptor);
        // Sizes from empty to several times the queue's room, so the caller waits at times.
        for (int i = 0; i < 60; ++i) {
            const std::size_t size = i % 7 == 0 ? 0 : random() % (3 << 20);
            std::string chunk(size, static_cast<char>('a' + i % 26));
            if (!chunk.empty()) chunk.back() = '\n';
            ASSERT_TRUE(output.write(chunk));
            expected += chunk;
        }
        EXPECT_TRUE(output.finish());
        EXPECT_EQ(output.error(), 0);
    }
    ::close(descriptor);
    EXPECT_TRUE(readFile(path) == expected) << "the file differs from the chunks written";
    fs::remove_all(folder);
}

TEST(FileOutput, AFailedWriteIsReportedAndStopsTheOutput)
{
    const int descriptor = ::open("/dev/full", O_WRONLY);
    if (descriptor < 0) GTEST_SKIP() << "/dev/full is not available";
    FileOutput output(descriptor);
    const std::string chunk(1 << 16, 'x');
    // The failure is seen by a later write or by finish, never lost.
    bool refused = false;
    for (int i = 0; i < 50 && !refused; ++i) refused = !output.write(chunk);
    EXPECT_FALSE(output.finish());
    EXPECT_EQ(output.error(), ENOSPC);
    EXPECT_FALSE(output.write(chunk));
    ::close(descriptor);
}

TEST(FileOutput, AnOutputDroppedWithChunksWaitingStopsWithoutWritingThem)
{
    const fs::path folder = scratchFolder("file-output-dropped");
    const fs::path path = folder / "dropped.txt";
    const int descriptor = openForWriting(path);
    ASSERT_GE(descriptor, 0);
    {
        FileOutput output(descriptor);
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(output.write(std::string(1 << 20, 'y')));
    }
    ::close(descriptor);
    // Whatever was written is whole chunks of the ones given.
    EXPECT_EQ(fs::file_size(path) % (1 << 20), 0u);
    EXPECT_LE(fs::file_size(path), 3u << 20);
    fs::remove_all(folder);
}

// A drawing large enough for many chunks, saved to a file (through the output thread), is the
// text the same save writes in memory.
TEST(FileOutput, ASavedFileIsTheDrawingsTextByteForByte)
{
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>(true, true);
    {
        AcDbBlockTable* table = nullptr;
        ASSERT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecord* model = nullptr;
        ASSERT_EQ(table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite), Acad::eOk);
        table->close();
        for (int i = 0; i < 30000; ++i) {
            auto* line = new AcDbLine(AcGePoint3d(i * 0.731, i * 1e-3, 0), AcGePoint3d(i / 3.0, 7.25, i * 1e-9));
            ASSERT_EQ(model->appendAcDbEntity(line), Acad::eOk);
            line->close();
        }
        model->close();
    }
    std::string text, message;
    ASSERT_EQ(arx::dxf::writeDrawingText(db.get(), text, message), Acad::eOk) << message;
    ASSERT_GT(text.size(), 3u << 20);
    const fs::path folder = scratchFolder("file-output-drawing");
    const std::string path = (folder / "lines.dxf").string();
    ASSERT_EQ(arx::dxf::writeDrawingFile(db.get(), path.c_str(), message), Acad::eOk) << message;
    EXPECT_TRUE(readFile(path) == text) << "the saved file differs from the drawing's text";
    fs::remove_all(folder);
}
