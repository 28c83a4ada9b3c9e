// Whole packages from a roster with fields and a target folder of real JPEGs: the index byte for
// byte, the images it lists, the people without a portrait, names that stay from one export to
// the next, and packages that are refused or fail without leaving anything behind.
#include <gtest/gtest.h>

#include <QImageReader>
#include <map>

#include "assigned_file_names.h"
#include "column_guess.h"
#include "yearbook_exporter.h"
#include "yearbook_fields.h"
#include "yearbook_test_support.h"

namespace vantrel::yearbook {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using Names = std::vector<std::string>;

const std::string kHeader =
    "Volume Name\tImage Folder\tImage File Name\tGrade\tLast Name\tFirst Name\tHome Room\tPeriod\t"
    "Teacher Name\tTrack\tDepartment\tTitle\tImage Size\r\n";

class YearbookExport : public ::testing::Test {
 protected:
  void SetUp() override {
    target_ = root_.path() / "target";
    out_ = root_.path() / "out";
    fs::create_directories(out_);
    // Ann: a landscape photo, then a later one; Bo: a portrait-format photo; Cy: a landscape
    // photo stored turned, with an EXIF orientation; Dee: raw files only; Ed: nothing; two
    // people named Fay Oh share a folder; Gus chose an earlier photo for the yearbook.
    testing::writeJpeg(target_ / "Lee, Ann" / "Lee, Ann_0001.JPG", 1500, 1000);
    testing::writeJpeg(target_ / "Lee, Ann_FR" / "Lee, Ann_FR_0002.JPG", 1800, 1200);
    testing::writeJpeg(target_ / "Bo Ng" / "Bo Ng_0001.JPG", 900, 1400);
    testing::writeJpeg(target_ / "Cy Park" / "Cy Park_0003.JPG", 1700, 1100, 6);
    fs::create_directories(target_ / "Dee Ray");
    testing::writeBytes(target_ / "Dee Ray" / "Dee Ray_0001.CR3", "raw");
    testing::writeJpeg(target_ / "Fay Oh" / "Fay Oh_0001.JPG", 1000, 1300);
    testing::writeJpeg(target_ / "Gus Ito" / "Gus Ito_0001.JPG", 1000, 1300);
    testing::writeJpeg(target_ / "Gus Ito" / "Gus Ito_0002.JPG", 1300, 1000);

    list_ =
        testing::listWithFields({"Grade", "Teacher", "Home Room", std::string(kYearbookPhotoField)},
                                {{"Lee, Ann", "5", "Mrs Ng", "5b", ""},
                                 {"Bo Ng", "5", "Mrs Ng", "5b", ""},
                                 {"Cy Park", "6", "Mr Oh\tJr", "6a", ""},
                                 {"Dee Ray", "6", "Mr Oh", "6a", ""},
                                 {"Ed Wu", "6", "Mr Oh", "6a", ""},
                                 {"Fay Oh", "6", "Mr Oh", "6a", ""},
                                 {"Fay Oh", "7", "Ms Li", "7c", ""},
                                 {"Gus Ito", "7", "Ms Li", "7c", "Gus Ito/Gus Ito_0001.JPG"},
                                 {"  ", "", "", "", ""}});
    options_.volumeName = "Springfield2025";
    options_.copyright = "(c) 2025 Studio Vantrel\nYearbook use only.";
    options_.mapping = guessColumnMapping(list_.fieldNames());
  }

  YearbookResult run() { return exportYearbook(list_, target_, out_, options_); }
  fs::path package() const { return out_ / options_.volumeName; }

  TempFolder root_;
  fs::path target_;
  fs::path out_;
  names::NamesList list_;
  YearbookOptions options_;
};

TEST_F(YearbookExport, WritesTheIndexImagesAndTextsOfAPackage) {
  std::vector<std::pair<int, int>> steps;
  const YearbookResult result =
      exportYearbook(list_, target_, out_, options_,
                     [&](int done, int total) { steps.emplace_back(done, total); });
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(result.exported, 6);
  EXPECT_EQ(steps.back(), (std::pair{6, 6}));
  EXPECT_EQ(steps.size(), 6u);

  EXPECT_EQ(testing::entryNames(out_), Names{"Springfield2025"}) << "no staging folder is left";
  EXPECT_EQ(testing::entryNames(package()),
            (Names{"COPYRIGHT.TXT", "IMAGES", "INDEX.TXT", "README.TXT"}));
  const std::string v = "Springfield2025\tIMAGES\t";
  EXPECT_EQ(testing::readBytes(package() / "INDEX.TXT"),
            kHeader +                                                              //
                v + "Lee_Ann.jpg\t5\tLee\tAnn\t5b\t\tMrs Ng\t\t\t\tLARGE\r\n" +    //
                v + "Bo_Ng.jpg\t5\tNg\tBo\t5b\t\tMrs Ng\t\t\t\tLARGE\r\n" +        //
                v + "Cy_Park.jpg\t6\tPark\tCy\t6a\t\tMr Oh Jr\t\t\t\tLARGE\r\n" +  //
                v + "Fay_Oh.jpg\t6\tOh\tFay\t6a\t\tMr Oh\t\t\t\tLARGE\r\n" +       //
                v + "Fay_Oh_2.jpg\t7\tOh\tFay\t7c\t\tMs Li\t\t\t\tLARGE\r\n" +     //
                v + "Gus_Ito.jpg\t7\tIto\tGus\t7c\t\tMs Li\t\t\t\tLARGE\r\n");

  // Every listed image is there, and nothing else; each is 640×800 (ratio 0.8).
  EXPECT_EQ(testing::entryNames(package() / "IMAGES"),
            (Names{"Bo_Ng.jpg", "Cy_Park.jpg", "Fay_Oh.jpg", "Fay_Oh_2.jpg", "Gus_Ito.jpg",
                   "Lee_Ann.jpg"}));
  for (const auto& entry : fs::directory_iterator(package() / "IMAGES")) {
    QImageReader reader(QString::fromStdString(entry.path().native()));
    EXPECT_EQ(reader.format(), "jpeg") << entry.path();
    EXPECT_EQ(reader.size(), QSize(640, 800)) << entry.path();
  }
  // Gus's chosen photo is the portrait-format one (the later one is landscape): its marker, on
  // the left eighth of the full width, survives the crop.
  EXPECT_TRUE(
      testing::near(testing::readImage(package() / "IMAGES" / "Gus_Ito.jpg").pixelColor(2, 400),
                    testing::kMarker));
  // Cy's photo was stored turned: upright it is tall and the marker is on top.
  EXPECT_TRUE(
      testing::near(testing::readImage(package() / "IMAGES" / "Cy_Park.jpg").pixelColor(320, 2),
                    testing::kMarker));

  EXPECT_EQ(testing::readBytes(package() / "COPYRIGHT.TXT"),
            "(c) 2025 Studio Vantrel\r\nYearbook use only.\r\n");
  const std::string readme = testing::readBytes(package() / "README.TXT");
  EXPECT_NE(readme.find("CR LF"), std::string::npos);
  EXPECT_NE(readme.find("6 portraits, JPEG, 640 x 800 pixels"), std::string::npos);
  EXPECT_NE(readme.find("Springfield2025"), std::string::npos);
  EXPECT_EQ(readme.find('\n'), readme.find("\r\n") + 1) << "README lines end in CR LF too";

  ASSERT_EQ(result.missing.size(), 2u);
  EXPECT_EQ(result.missing[0].row, 3);
  EXPECT_EQ(result.missing[0].name, "Dee Ray");
  EXPECT_EQ(result.missing[0].reason, MissingReason::OnlyRawPhotos);
  EXPECT_EQ(result.missing[1].name, "Ed Wu");
  EXPECT_EQ(result.missing[1].reason, MissingReason::NoPhoto);
  EXPECT_EQ(missingPortraitsCsv(result.missing),
            "Name,Reason\r\nDee Ray,\"only raw photos, which cannot be made into a portrait\"\r\n"
            "Ed Wu,no photo\r\n");
}

TEST_F(YearbookExport, KeepsEveryonesFileNameInTheNextExport) {
  const YearbookResult first = run();
  ASSERT_TRUE(first.ok()) << first.message;
  EXPECT_EQ(first.assignedFileNames,
            (std::vector<std::pair<names::ModelRow, std::string>>{{0, "Lee_Ann.jpg"},
                                                                  {1, "Bo_Ng.jpg"},
                                                                  {2, "Cy_Park.jpg"},
                                                                  {5, "Fay_Oh.jpg"},
                                                                  {6, "Fay_Oh_2.jpg"},
                                                                  {7, "Gus_Ito.jpg"}}));
  EXPECT_EQ(applyAssignedFileNames(list_, list_, first.assignedFileNames), 6);
  EXPECT_EQ(list_.fieldValue(6, kYearbookFileField), "Fay_Oh_2.jpg");

  // Before the next export Bo leaves, a new Fay Oh arrives at the top and Ed gets a photo. Names
  // stay with their people whatever their place in the list.
  list_.deleteRow(1);
  list_.insertRowAbove(0);
  list_.setNameFromEdit(0, "Fay Oh");
  testing::writeJpeg(target_ / "Ed Wu" / "Ed Wu_0001.JPG", 1000, 1300);
  options_.replace = true;
  const YearbookResult second = run();
  ASSERT_TRUE(second.ok()) << second.message;

  std::map<std::string, std::string> fileOf;
  const auto key = [&](names::ModelRow row) {
    return std::string(list_.nameForModelRow(row)) + "#" +
           std::string(list_.fieldValue(row, "Grade"));
  };
  for (names::ModelRow row = 0; row < list_.rowCount(); ++row)
    fileOf[key(row)] = std::string(list_.fieldValue(row, kYearbookFileField));
  for (const auto& [row, name] : second.assignedFileNames) fileOf[key(row)] = name;
  EXPECT_EQ(fileOf["Lee, Ann#5"], "Lee_Ann.jpg");
  EXPECT_EQ(fileOf["Fay Oh#6"], "Fay_Oh.jpg") << "kept, though a Fay Oh now comes first";
  EXPECT_EQ(fileOf["Fay Oh#7"], "Fay_Oh_2.jpg");
  EXPECT_EQ(fileOf["Fay Oh#"], "Fay_Oh_3.jpg") << "the newcomer takes no name someone holds";
  EXPECT_EQ(fileOf["Ed Wu#6"], "Ed_Wu.jpg");
  EXPECT_EQ(second.assignedFileNames.size(), 2u) << "only the two new names are to be stored";
  EXPECT_EQ(testing::entryNames(package() / "IMAGES"),
            (Names{"Cy_Park.jpg", "Ed_Wu.jpg", "Fay_Oh.jpg", "Fay_Oh_2.jpg", "Fay_Oh_3.jpg",
                   "Gus_Ito.jpg", "Lee_Ann.jpg"}))
      << "the replaced package holds only the new export";
}

TEST_F(YearbookExport, RefusesBadPlacesBeforeWritingAnything) {
  options_.volumeName = "Spring field";
  EXPECT_EQ(run().error, YearbookError::BadVolumeName);

  options_.volumeName = "Book";
  fs::create_directories(package());
  testing::writeBytes(package() / "keep.txt", "older delivery");
  const YearbookResult exists = run();
  EXPECT_EQ(exists.error, YearbookError::PackageExists);
  EXPECT_NE(exists.message.find("not empty"), std::string::npos);
  EXPECT_EQ(testing::entryNames(package()), Names{"keep.txt"});

  fs::remove(package() / "keep.txt");
  EXPECT_TRUE(run().ok()) << "an empty folder of that name is taken";

  // Replacing a package inside the target could remove photos: refused, as is one holding it.
  const YearbookResult inside = exportYearbook(list_, target_, target_, options_);
  EXPECT_EQ(inside.error, YearbookError::PackageInTarget);
  options_.volumeName = "target";
  options_.replace = true;
  EXPECT_EQ(exportYearbook(list_, target_, root_.path(), options_).error,
            YearbookError::PackageInTarget);
  EXPECT_TRUE(fs::exists(target_ / "Bo Ng" / "Bo Ng_0001.JPG"));

  options_.volumeName = "Book2";
  EXPECT_EQ(exportYearbook(list_, target_, out_ / "missing", options_).error,
            YearbookError::NoOutputFolder);
  EXPECT_EQ(exportYearbook(list_, root_.path() / "nowhere", out_, options_).error,
            YearbookError::NoTargetFolder);
  EXPECT_EQ(exportYearbook(names::NamesList{}, target_, out_, options_).error,
            YearbookError::NoPeople);
  EXPECT_EQ(testing::entryNames(out_), Names{"Book"});
}

TEST_F(YearbookExport, WritesNothingWhenSomeoneIsMissingAndAllAreRequired) {
  options_.requireAll = true;
  const YearbookResult result = run();
  EXPECT_EQ(result.error, YearbookError::MissingPortraits);
  EXPECT_NE(result.message.find("Dee Ray: only raw photos"), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("Ed Wu: no photo"), std::string::npos);
  EXPECT_EQ(result.missing.size(), 2u);
  EXPECT_TRUE(result.assignedFileNames.empty());
  EXPECT_TRUE(testing::entryNames(out_).empty());
}

TEST_F(YearbookExport, ReportsAPhotoThatCannotBeReadAndExportsTheOthers) {
  testing::writeBytes(target_ / "Bo Ng" / "Bo Ng_0002.JPG", "\xFF\xD8 broken");
  const YearbookResult result = run();
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(result.exported, 5);
  ASSERT_EQ(result.missing.size(), 3u);
  EXPECT_EQ(result.missing[0].name, "Bo Ng") << "in list order";
  EXPECT_EQ(result.missing[0].reason, MissingReason::Unreadable);
  EXPECT_NE(missingReasonText(result.missing[0]).find("Bo Ng_0002.JPG"), std::string::npos);
  EXPECT_EQ(testing::readBytes(package() / "INDEX.TXT").find("Bo_Ng"), std::string::npos);

  options_.requireAll = true;
  options_.volumeName = "Strict";
  fs::remove(target_ / "Dee Ray" / "Dee Ray_0001.CR3");
  testing::writeJpeg(target_ / "Dee Ray" / "Dee Ray_0001.JPG", 1000, 1300);
  testing::writeJpeg(target_ / "Ed Wu" / "Ed Wu_0001.JPG", 1000, 1300);
  EXPECT_EQ(run().error, YearbookError::MissingPortraits) << "found only while decoding";
  EXPECT_FALSE(fs::exists(out_ / "Strict"));
}

TEST_F(YearbookExport, LeavesNothingHalfWrittenWhenCancelled) {
  std::atomic<bool> cancel{false};
  const auto cancelAfterTwo = [&](int done, int) { cancel = done == 2; };
  const YearbookResult cancelled =
      exportYearbook(list_, target_, out_, options_, cancelAfterTwo, &cancel);
  EXPECT_EQ(cancelled.error, YearbookError::Cancelled);
  EXPECT_EQ(cancelled.exported, 0);
  EXPECT_TRUE(cancelled.assignedFileNames.empty());
  EXPECT_TRUE(testing::entryNames(out_).empty()) << "the staging folder is gone too";

  // A replacing export that fails keeps the old package as it was.
  ASSERT_TRUE(run().ok());
  const std::string index = testing::readBytes(package() / "INDEX.TXT");
  const Names images = testing::entryNames(package() / "IMAGES");
  options_.replace = true;
  options_.size = PortraitSize::Small;
  cancel = false;
  EXPECT_EQ(exportYearbook(list_, target_, out_, options_, cancelAfterTwo, &cancel).error,
            YearbookError::Cancelled);
  EXPECT_EQ(testing::readBytes(package() / "INDEX.TXT"), index);
  EXPECT_EQ(testing::entryNames(package() / "IMAGES"), images);
  EXPECT_EQ(testing::entryNames(out_), Names{"Springfield2025"});

  // And one that succeeds replaces it whole, leaving no old copy aside.
  ASSERT_TRUE(run().ok());
  EXPECT_NE(testing::readBytes(package() / "INDEX.TXT").find("\tSMALL\r\n"), std::string::npos);
  EXPECT_EQ(
      QImageReader(QString::fromStdString((package() / "IMAGES" / "Bo_Ng.jpg").native())).size(),
      QSize(320, 400));
  EXPECT_EQ(testing::entryNames(out_), Names{"Springfield2025"});
}

}  // namespace
}  // namespace vantrel::yearbook
