// Tests of file reading, safe saving and the structure file readers' and savers' messages.
#include "structfile/struct_file.h"
#include "structfile/text_file.h"
#include "tests/unit/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace xelmor {
namespace {

namespace fs = std::filesystem;

using test::FileBytes;

// A folder of its own for each test that can also list what the folder holds.
class StructfileFiles : public test::TempFolderTest {
protected:
    // The names in the folder, to show that no temporary file was left behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string AllBytes() {
    std::string bytes;
    for (int i = 0; i < 3; ++i) {
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>(b);
    }
    return bytes + std::string("\r\n\n\r\0", 5);
}

StructureData SmallStructure() {
    StructureData d;
    d.name = "Silicon";
    d.a = d.b = d.c = 5.4309;
    d.alpha = d.beta = d.gamma = 90.0;
    d.atoms = {{14, 0.0, 0.0, 0.0, 1.0}, {14, 0.25, 0.25, 0.25, 1.0}};
    d.temperatures = {645.0};
    return d;
}

TEST_F(StructfileFiles, WritesAndReadsBytesExactlyAndReplacesOldContent) {
    const std::string path = Path("bytes.bin");
    ASSERT_EQ(WriteFileReplacing(path, AllBytes()), WriteResult::Ok);
    EXPECT_EQ(FileBytes(path), AllBytes());
    ASSERT_EQ(WriteFileReplacing(path, "short"), WriteResult::Ok);
    EXPECT_EQ(FileBytes(path), "short");
    ASSERT_EQ(WriteFileReplacing(path, ""), WriteResult::Ok);
    EXPECT_EQ(FileBytes(path), "");
    EXPECT_EQ(Entries(), std::vector<std::string>{"bytes.bin"});
}

TEST_F(StructfileFiles, ReadFileBytesFailsOnMissingFilesAndFolders) {
    std::string out = "unchanged";
    EXPECT_FALSE(ReadFileBytes(Path("missing.struct"), out));
    EXPECT_FALSE(ReadFileBytes(dir_.string(), out));
    EXPECT_FALSE(ReadFileBytes("", out));
    EXPECT_EQ(out, "unchanged");
}

TEST_F(StructfileFiles, WriteFileReplacingCannotCreateWhereNoFileCanBe) {
    fs::create_directory(dir_ / "folder");
    Put("folder/inside.txt", "kept");
    EXPECT_EQ(WriteFileReplacing(Path("folder"), "x"), WriteResult::CannotCreate);
    EXPECT_EQ(WriteFileReplacing(Path("no/such/folder/file.struct"), "x"),
              WriteResult::CannotCreate);
    EXPECT_EQ(WriteFileReplacing("", "x"), WriteResult::CannotCreate);
    EXPECT_EQ(FileBytes(Path("folder/inside.txt")), "kept");
    EXPECT_EQ(Entries(), std::vector<std::string>{"folder"});
}

TEST_F(StructfileFiles, ReplacingKeepsPermissionsAndFollowsSymbolicLinks) {
    Put("target.struct", "old");
    fs::permissions(dir_ / "target.struct",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("target.struct", dir_ / "link.struct");
    ASSERT_EQ(WriteFileReplacing(Path("link.struct"), "new"), WriteResult::Ok);
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.struct"));
    EXPECT_EQ(FileBytes(Path("target.struct")), "new");
    EXPECT_EQ(fs::status(dir_ / "target.struct").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.struct", "target.struct"}));
}

TEST_F(StructfileFiles, AFailedSaveLeavesTheOldFileIntactAndNoTemporaryFile) {
    struct Case {
        FileWriteFault fault;
        WriteResult result;
    };
    const Case cases[] = {
        {FileWriteFault::Create, WriteResult::CannotCreate},
        {FileWriteFault::Write, WriteResult::WriteError},
        {FileWriteFault::Rename, WriteResult::WriteError},
    };
    const std::string path = Path("kept.struct");
    for (const Case& c : cases) {
        Put("kept.struct", "old content\r\n");
        {
            FileWriteFaultForTesting fault(c.fault);
            EXPECT_EQ(WriteFileReplacing(path, "new content that is longer\r\n"), c.result);
            EXPECT_TRUE(fault.Triggered());
            EXPECT_EQ(FileBytes(path), "old content\r\n");
            EXPECT_EQ(Entries(), std::vector<std::string>{"kept.struct"});
            // The fault breaks one save only.
            EXPECT_EQ(WriteFileReplacing(path, "second"), WriteResult::Ok);
            EXPECT_EQ(FileBytes(path), "second");
        }
        // A fault on a new file creates nothing.
        FileWriteFaultForTesting fault(c.fault);
        EXPECT_EQ(WriteFileReplacing(Path("new.struct"), "x"), c.result);
        EXPECT_EQ(Entries(), std::vector<std::string>{"kept.struct"});
    }
}

TEST_F(StructfileFiles, ReadersReportOpenAndReadFailuresInTheirOwnWords) {
    const std::string missing = Path("missing.struct");
    Put("bad.struct", "Silicon\r\n5.4309 5.4309\r\n90 90 90\r\n1\r\nSi 0 0 0 1\r\n645\r\n");
    const std::string bad = Path("bad.struct");
    ASSERT_FALSE(SaveStructureXelmor(Path("xelmor.struct"), SmallStructure()).has_value());
    const std::string xelmorFile = Path("xelmor.struct");

    struct Case {
        std::string path;
        StructDialect dialect;
        Message message;
    };
    const std::string tessaluneRead =
        "Failed to read the file.\n\nPlease use Notepad to correct this file.   \n"
        "See \"Silicon.struct\" for correct format.";
    const Case cases[] = {
        {missing,
         StructDialect::Xelmor,
         {"Cannot open the file  missing.struct! ", MsgIcon::None, MsgButtons::Ok, ""}},
        {dir_.string(),
         StructDialect::Xelmor,
         {"Cannot open the file  " + dir_.filename().string() + "! ", MsgIcon::None, MsgButtons::Ok,
          ""}},
        {missing,
         StructDialect::Tessalune,
         {"Failed to open file '" + missing + "' !    ", MsgIcon::Stop, MsgButtons::Ok, ""}},
        {bad,
         StructDialect::Xelmor,
         {"Cannot read " + bad + ".\nRefer to \"\\Silicon.struct\" for correct text format.",
          MsgIcon::Exclamation, MsgButtons::Ok, ""}},
        {bad,
         StructDialect::Tessalune,
         {tessaluneRead, MsgIcon::Exclamation, MsgButtons::Ok, "Error in Reading Structure File"}},
        {xelmorFile,
         StructDialect::Tessalune,
         {tessaluneRead, MsgIcon::Exclamation, MsgButtons::Ok, "Error in Reading Structure File"}},
    };
    for (const Case& c : cases) {
        const StructReadResult r = ReadStructureFile(c.path, c.dialect);
        EXPECT_FALSE(r.data.has_value()) << c.path;
        EXPECT_EQ(r.message, c.message) << c.path;
    }
}

TEST_F(StructfileFiles, ReadsTheGaAsFileInBothDialects) {
    const std::string path = std::string(XELMOR_TEST_DATA) + "/struct/GaAs.struct";
    const StructReadResult t = ReadStructureFile(path, StructDialect::Tessalune);
    ASSERT_TRUE(t.data.has_value());
    EXPECT_EQ(t.message, Message{});
    EXPECT_EQ(t.data->name, "GaAs  zinc blende");
    EXPECT_EQ(t.data->a, 5.6533);
    EXPECT_EQ(t.data->atoms.size(), 8u);
    EXPECT_EQ(t.data->atoms.front(), (AtomSite{33, 0.25, 0.25, 0.25, 1.0}));
    EXPECT_EQ(t.data->atoms.back(), (AtomSite{31, 0.5, 0.5, 0.0, 1.0}));
    EXPECT_EQ(t.data->temperatures, (std::vector<double>{240.0, 280.0}));

    const StructReadResult x = ReadStructureFile(path, StructDialect::Xelmor);
    ASSERT_TRUE(x.data.has_value());
    EXPECT_EQ(x.message, Message{});
    StructureData expected = *t.data;
    expected.temperatures.clear();
    EXPECT_EQ(*x.data, expected);

    // Saved again, the file differs only where the reader cleaned or ignored text.
    ASSERT_FALSE(SaveStructureTessalune(Path("GaAs.struct"), *t.data).has_value());
    std::string original = FileBytes(path);
    original.replace(original.find("GaAs, zinc"), 10, "GaAs  zinc");
    original.erase(original.find("As measured"));
    EXPECT_EQ(FileBytes(Path("GaAs.struct")), original);
}

TEST_F(StructfileFiles, ReaderDecodesWindows1252Names) {
    Put("quartz.struct", "Quarz \xE4hnlich\n4.9 4.9 5.4\n90 90 120\n1\nSi 0.47 0 0 1\n");
    const StructReadResult r = ReadStructureFile(Path("quartz.struct"), StructDialect::Xelmor);
    ASSERT_TRUE(r.data.has_value());
    EXPECT_EQ(r.data->name, "Quarz \xC3\xA4hnlich");
}

TEST_F(StructfileFiles, SavesWriteTheFormattedBytes) {
    const StructureData d = SmallStructure();
    EXPECT_EQ(SaveStructureXelmor(Path("x.struct"), d), std::nullopt);
    EXPECT_EQ(SaveStructureTessalune(Path("t.struct"), d), std::nullopt);
    EXPECT_EQ(FileBytes(Path("x.struct")), FormatStructureXelmor(d));
    EXPECT_EQ(FileBytes(Path("t.struct")), FormatStructureTessalune(d));
}

TEST_F(StructfileFiles, FailedSavesShowTheProgramsMessagesAndKeepTheOldFile) {
    const std::string path = Path("Silicon.struct");
    struct Case {
        StructDialect dialect;
        FileWriteFault fault;
        std::string text;
    };
    const Case cases[] = {
        {StructDialect::Xelmor, FileWriteFault::Create, "Failed to open " + path + "!"},
        {StructDialect::Xelmor, FileWriteFault::Write, "Failed to write " + path + "!"},
        {StructDialect::Xelmor, FileWriteFault::Rename, "Failed to write " + path + "!"},
        {StructDialect::Tessalune, FileWriteFault::Create,
         "Pellucidor cannot create the file \"" + path + "\" !"},
        {StructDialect::Tessalune, FileWriteFault::Write,
         "Error occurred in saving the structure into file\n\n " + path + " !   "},
        {StructDialect::Tessalune, FileWriteFault::Rename,
         "Error occurred in saving the structure into file\n\n " + path + " !   "},
    };
    for (const Case& c : cases) {
        Put("Silicon.struct", "previous\r\n");
        FileWriteFaultForTesting fault(c.fault);
        const std::optional<Message> m = c.dialect == StructDialect::Xelmor
                                             ? SaveStructureXelmor(path, SmallStructure())
                                             : SaveStructureTessalune(path, SmallStructure());
        EXPECT_EQ(m, (Message{c.text, MsgIcon::Stop, MsgButtons::Ok, ""}));
        EXPECT_EQ(FileBytes(path), "previous\r\n");
        EXPECT_EQ(Entries(), std::vector<std::string>{"Silicon.struct"});
    }

    // Without a seam: a folder that does not exist cannot hold the file.
    const std::string nowhere = Path("none/x.struct");
    EXPECT_EQ(SaveStructureXelmor(nowhere, SmallStructure()),
              (Message{"Failed to open " + nowhere + "!", MsgIcon::Stop, MsgButtons::Ok, ""}));
    EXPECT_EQ(SaveStructureTessalune(nowhere, SmallStructure()),
              (Message{"Pellucidor cannot create the file \"" + nowhere + "\" !", MsgIcon::Stop,
                       MsgButtons::Ok, ""}));
}

} // namespace
} // namespace xelmor
