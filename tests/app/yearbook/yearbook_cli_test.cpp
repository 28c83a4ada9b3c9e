// The vantrel_yearbook program run for real: its exit status, its words, the package it leaves
// and the file names it keeps in the store.
#include <gtest/gtest.h>

#include <QImageReader>

#include "child_process.h"
#include "grid_store.h"
#include "yearbook_fields.h"
#include "yearbook_test_support.h"

namespace vantrel::yearbook {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using Names = std::vector<std::string>;
using namespace std::chrono_literals;

struct ToolRun {
  int status = -1;
  std::string output;  // standard output and error
};

ToolRun runTool(const std::vector<std::string>& arguments) {
  ChildProcess child(VANTREL_YEARBOOK_PATH, arguments);
  child.drain(120s);
  ToolRun run{child.wait_exit(30s).value_or(-1), {}};
  for (const std::string& line : child.lines()) run.output += line + "\n";
  return run;
}

class YearbookTool : public ::testing::Test {
 protected:
  void SetUp() override {
    target_ = root_.path() / "target";
    out_ = root_.path() / "out";
    store_ = root_.path() / "vantrel_grid.csv";
    fs::create_directories(out_);
    testing::writeJpeg(target_ / "Ann Lee" / "Ann Lee_0001.JPG", 1500, 1000);
    testing::writeJpeg(target_ / "Bo Ng" / "Bo Ng_0001.JPG", 1000, 1300, 8);
    testing::writeJpeg(target_ / "Bo Ng_2" / "Bo Ng_2_0001.JPG", 1000, 1300);
    rows_ = {{"Ann Lee", "front row", "1", "", "Lee", "Ann", "5", "Frau Roth"},
             {"Bo Ng", "", "1", "1", "Ng", "Bo", "5", "Frau Roth"},
             {"Ed Wu", "absent", "0", "", "Wu", "Ed", "6", "Herr Kim"}};
    ASSERT_TRUE(names::GridStore::writeGridToPath(store_, rows_,
                                                  names::GridColumns::NameNoteCountMarker,
                                                  {"Nachname", "Vorname", "Klasse", "Lehrer"}));
  }

  std::vector<std::string> arguments(const std::string& volume) const {
    return {"--store",  store_.native(), "--target", target_.native(),
            "--volume", volume,          "--out",    out_.native()};
  }
  ToolRun run(const std::string& volume, std::vector<std::string> more = {}) const {
    std::vector<std::string> all = arguments(volume);
    all.insert(all.end(), more.begin(), more.end());
    return runTool(all);
  }
  names::NamesList storedList() const {
    names::NamesList list;
    names::GridStore(store_).loadGridFromDisk(list);
    return list;
  }

  TempFolder root_;
  fs::path target_;
  fs::path out_;
  fs::path store_;
  std::vector<names::Row> rows_;
};

TEST_F(YearbookTool, WritesThePackageWarnsOfMissingPeopleAndKeepsFileNamesInTheStore) {
  const ToolRun first = run("Jahrbuch");
  ASSERT_EQ(first.status, 0) << first.output;
  EXPECT_NE(first.output.find("warning: no portrait for \"Ed Wu\": no photo"), std::string::npos)
      << first.output;
  EXPECT_NE(first.output.find("Teacher Name=Lehrer"), std::string::npos) << "the guess is shown";
  const std::string v = "Jahrbuch\tIMAGES\t";
  EXPECT_EQ(testing::readBytes(out_ / "Jahrbuch" / "INDEX.TXT"),
            "Volume Name\tImage Folder\tImage File Name\tGrade\tLast Name\tFirst Name\tHome Room\t"
            "Period\tTeacher Name\tTrack\tDepartment\tTitle\tImage Size\r\n" +
                v + "Ann_Lee.jpg\t5\tLee\tAnn\t\t\tFrau Roth\t\t\t\tLARGE\r\n" + v +
                "Bo_Ng.jpg\t5\tNg\tBo\t\t\tFrau Roth\t\t\t\tLARGE\r\n");

  // The store gained the Yearbook File field and nothing else changed.
  const names::NamesList stored = storedList();
  ASSERT_EQ(stored.fieldNames(),
            (Names{"Nachname", "Vorname", "Klasse", "Lehrer", "Yearbook File"}));
  ASSERT_EQ(stored.rowCount(), 3);
  for (names::ModelRow row = 0; row < 3; ++row) {
    names::Row cells = stored.rows()[static_cast<std::size_t>(row)];
    cells.resize(rows_[static_cast<std::size_t>(row)].size());
    EXPECT_EQ(cells, rows_[static_cast<std::size_t>(row)]) << row;
  }
  EXPECT_EQ(stored.fieldValue(0, kYearbookFileField), "Ann_Lee.jpg");
  EXPECT_EQ(stored.fieldValue(1, kYearbookFileField), "Bo_Ng.jpg");
  EXPECT_EQ(stored.fieldValue(2, kYearbookFileField), "");

  // Ed's photo arrives, the store is edited so that a second "Ann Lee" comes first; the next
  // export keeps the names and replaces the package.
  testing::writeJpeg(target_ / "Ed Wu" / "Ed Wu_0001.JPG", 1000, 1300);
  std::vector<names::Row> rows = stored.rows();
  rows.insert(rows.begin(), names::Row{"Ann Lee", "", "0", "", "Lee", "Ann", "6", "Herr Kim", ""});
  ASSERT_TRUE(names::GridStore::writeGridToPath(
      store_, rows, names::GridColumns::NameNoteCountMarker, stored.fieldNames()));
  EXPECT_EQ(run("Jahrbuch").status, 2) << "the package exists and is not empty";
  const ToolRun second = run("Jahrbuch", {"--replace"});
  ASSERT_EQ(second.status, 0) << second.output;
  EXPECT_EQ(testing::entryNames(out_ / "Jahrbuch" / "IMAGES"),
            (Names{"Ann_Lee.jpg", "Ann_Lee_2.jpg", "Bo_Ng.jpg", "Ed_Wu.jpg"}));
  const names::NamesList again = storedList();
  EXPECT_EQ(again.fieldValue(0, kYearbookFileField), "Ann_Lee_2.jpg");
  EXPECT_EQ(again.fieldValue(1, kYearbookFileField), "Ann_Lee.jpg");
  EXPECT_EQ(again.fieldValue(3, kYearbookFileField), "Ed_Wu.jpg");
  EXPECT_EQ(testing::entryNames(out_), Names{"Jahrbuch"});
}

TEST_F(YearbookTool, TakesColumnsFixedTextsAndTheSmallSizeFromTheCommandLine) {
  const ToolRun result =
      run("Small", {"--map", "Home Room==Gym 2", "--map=teacher name=", "--map", "Title=Klasse",
                    "--size", "small", "--copyright", "Foto Studio Roth"});
  ASSERT_EQ(result.status, 0) << result.output;
  const std::string index = testing::readBytes(out_ / "Small" / "INDEX.TXT");
  EXPECT_NE(index.find("Small\tIMAGES\tAnn_Lee.jpg\t5\tLee\tAnn\tGym 2\t\t\t\t\t5\tSMALL\r\n"),
            std::string::npos)
      << index;
  EXPECT_EQ(QImageReader(QString::fromStdString((out_ / "Small" / "IMAGES" / "Bo_Ng.jpg").native()))
                .size(),
            QSize(320, 400));
  EXPECT_EQ(testing::readBytes(out_ / "Small" / "COPYRIGHT.TXT"), "Foto Studio Roth\r\n");
}

TEST_F(YearbookTool, RefusesBadInputWithStatus2AndWritesNothing) {
  const std::string storeBytes = testing::readBytes(store_);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {arguments("Jahr buch"), "volume name"},
      {arguments("CON"), "device name"},
      {[&] {
         auto a = arguments("Book");
         a.insert(a.end(), {"--map", "Grade=Age"});
         return a;
       }(),
       "no field \"Age\""},
      {[&] {
         auto a = arguments("Book");
         a.insert(a.end(), {"--size", "huge"});
         return a;
       }(),
       "large or small"},
      {[&] {
         auto a = arguments("Book");
         a.push_back("--fast");
         return a;
       }(),
       "unknown argument"},
      {{"--target", target_.native(), "--volume", "Book", "--out", out_.native()},
       "--store is missing"},
      {{"--store", (root_.path() / "none.csv").native(), "--target", target_.native(), "--volume",
        "Book", "--out", out_.native()},
       "is not a file"},
      {{"--store", store_.native(), "--target", (root_.path() / "none").native(), "--volume",
        "Book", "--out", out_.native()},
       "is not a folder"},
      {{"--store", store_.native(), "--target", target_.native(), "--volume", "Book", "--out",
        target_.native()},
       "may not lie in the target folder"},
  };
  for (const auto& [words, message] : cases) {
    const ToolRun result = runTool(words);
    EXPECT_EQ(result.status, 2) << message << "\n" << result.output;
    EXPECT_NE(result.output.find(message), std::string::npos) << result.output;
  }

  fs::create_directories(out_ / "Book");
  testing::writeBytes(out_ / "Book" / "INDEX.TXT", "last year's");
  const ToolRun exists = run("Book");
  EXPECT_EQ(exists.status, 2);
  EXPECT_NE(exists.output.find("exists and is not empty"), std::string::npos) << exists.output;
  EXPECT_EQ(testing::readBytes(out_ / "Book" / "INDEX.TXT"), "last year's");
  EXPECT_EQ(testing::entryNames(out_), Names{"Book"});
  EXPECT_EQ(testing::readBytes(store_), storeBytes);
  EXPECT_EQ(fs::directory_iterator(target_ / "Bo Ng") == fs::directory_iterator(), false);
}

TEST_F(YearbookTool, RequireAllEndsWithStatus1AndWritesNothingWhenSomeoneHasNoPhoto) {
  const std::string storeBytes = testing::readBytes(store_);
  const ToolRun result = run("Book", {"--require-all"});
  EXPECT_EQ(result.status, 1) << result.output;
  EXPECT_NE(result.output.find("1 person has no portrait, so nothing was written"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Ed Wu: no photo"), std::string::npos);
  EXPECT_TRUE(testing::entryNames(out_).empty());
  EXPECT_EQ(testing::readBytes(store_), storeBytes);

  testing::writeJpeg(target_ / "Ed Wu" / "Ed Wu_0001.JPG", 1000, 1300);
  EXPECT_EQ(run("Book", {"--require-all"}).status, 0);
}

}  // namespace
}  // namespace vantrel::yearbook
