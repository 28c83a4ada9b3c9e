// The package's rules without images: which field feeds which index column, the --map words,
// names cut into last and first, volume names, stable file names, the index text and the crop.
#include <gtest/gtest.h>

#include "column_assignment.h"
#include "column_guess.h"
#include "index_file.h"
#include "package_file_names.h"
#include "person_name_parts.h"
#include "portrait_crop.h"
#include "volume_name.h"

namespace vantrel::yearbook {
namespace {

using Names = std::vector<std::string>;

std::string sourceOf(const ColumnMapping& mapping, PspaColumn column) {
  return columnAssignmentText(column, mapping.source(column));
}

TEST(ColumnGuess, FindsFieldsInEveryRosterLanguageIgnoringCaseSpacesAndAccents) {
  const ColumnMapping english = guessColumnMapping(
      {"ID", "Surname", "first_name", "GRADE", "Homeroom", "Teacher", "Period", "Title"});
  EXPECT_EQ(sourceOf(english, PspaColumn::LastName), "Last Name=Surname");
  EXPECT_EQ(sourceOf(english, PspaColumn::FirstName), "First Name=first_name");
  EXPECT_EQ(sourceOf(english, PspaColumn::Grade), "Grade=GRADE");
  EXPECT_EQ(sourceOf(english, PspaColumn::HomeRoom), "Home Room=Homeroom");
  EXPECT_EQ(sourceOf(english, PspaColumn::TeacherName), "Teacher Name=Teacher");
  EXPECT_EQ(sourceOf(english, PspaColumn::Period), "Period=Period");
  EXPECT_EQ(sourceOf(english, PspaColumn::Title), "Title=Title");
  EXPECT_EQ(sourceOf(english, PspaColumn::Track), "Track=");

  const ColumnMapping german =
      guessColumnMapping({"Nachname", "Vorname", "Klasse", "Lehrer", "Raum"});
  EXPECT_EQ(sourceOf(german, PspaColumn::LastName), "Last Name=Nachname");
  EXPECT_EQ(sourceOf(german, PspaColumn::FirstName), "First Name=Vorname");
  EXPECT_EQ(sourceOf(german, PspaColumn::Grade), "Grade=Klasse");
  EXPECT_EQ(sourceOf(german, PspaColumn::TeacherName), "Teacher Name=Lehrer");
  EXPECT_EQ(sourceOf(german, PspaColumn::HomeRoom), "Home Room=Raum");

  const ColumnMapping french =
      guessColumnMapping({"Nom", "Prénom", "Classe", "Enseignant", "Salle"});
  EXPECT_EQ(sourceOf(french, PspaColumn::LastName), "Last Name=Nom");
  EXPECT_EQ(sourceOf(french, PspaColumn::FirstName), "First Name=Prénom");
  EXPECT_EQ(sourceOf(french, PspaColumn::Grade), "Grade=Classe");
  EXPECT_EQ(sourceOf(french, PspaColumn::TeacherName), "Teacher Name=Enseignant");

  const ColumnMapping spanish = guessColumnMapping({"Apellidos", "Nombre", "Curso", "Profesor"});
  EXPECT_EQ(sourceOf(spanish, PspaColumn::LastName), "Last Name=Apellidos");
  EXPECT_EQ(sourceOf(spanish, PspaColumn::FirstName), "First Name=Nombre");
  EXPECT_EQ(sourceOf(spanish, PspaColumn::Grade), "Grade=Curso");
  EXPECT_EQ(sourceOf(spanish, PspaColumn::TeacherName), "Teacher Name=Profesor");

  const ColumnMapping dutch = guessColumnMapping({"Achternaam", "Voornaam", "Klas", "Mentor"});
  EXPECT_EQ(sourceOf(dutch, PspaColumn::LastName), "Last Name=Achternaam");
  EXPECT_EQ(sourceOf(dutch, PspaColumn::FirstName), "First Name=Voornaam");
  EXPECT_EQ(sourceOf(dutch, PspaColumn::Grade), "Grade=Klas");
  EXPECT_EQ(sourceOf(dutch, PspaColumn::TeacherName), "Teacher Name=Mentor");
}

TEST(ColumnGuess, PrefersTheMostSpecificNameAndUsesEachFieldOnce) {
  const ColumnMapping mapping = guessColumnMapping(
      {"Teacher", "Teacher Name", "Class", "Grade", "Yearbook File", "Yearbook Photo", "Room"});
  EXPECT_EQ(sourceOf(mapping, PspaColumn::TeacherName), "Teacher Name=Teacher Name");
  EXPECT_EQ(sourceOf(mapping, PspaColumn::Grade), "Grade=Grade");
  EXPECT_EQ(sourceOf(mapping, PspaColumn::HomeRoom), "Home Room=Room");
  EXPECT_EQ(sourceOf(mapping, PspaColumn::Title), "Title=")
      << "the package's own fields feed nothing";
  EXPECT_EQ(sourceOf(mapping, PspaColumn::LastName), "Last Name=");
  EXPECT_EQ(guessColumnMapping({}), ColumnMapping{});
}

TEST(ColumnAssignment, ReadsFieldsFixedTextsAndEmptyColumns) {
  const Names fields = {"Klasse", "Lehrer"};
  const auto field = parseColumnAssignment(" teacher name = lehrer ", fields);
  ASSERT_TRUE(std::holds_alternative<ColumnAssignment>(field));
  EXPECT_EQ(std::get<ColumnAssignment>(field).column, PspaColumn::TeacherName);
  EXPECT_EQ(std::get<ColumnAssignment>(field).source, ColumnSource::field("Lehrer"))
      << "kept as the list spells it";

  const auto fixed = parseColumnAssignment("Grade== 12 ", fields);
  ASSERT_TRUE(std::holds_alternative<ColumnAssignment>(fixed));
  EXPECT_EQ(std::get<ColumnAssignment>(fixed).source, ColumnSource::fixed(" 12 "));

  const auto empty = parseColumnAssignment("HomeRoom=", fields);
  ASSERT_TRUE(std::holds_alternative<ColumnAssignment>(empty));
  EXPECT_EQ(std::get<ColumnAssignment>(empty).column, PspaColumn::HomeRoom);
  EXPECT_EQ(std::get<ColumnAssignment>(empty).source, ColumnSource{});

  for (const char* bad :
       {"Grade", "Shoe Size=Klasse", "Grade=Age", "Image File Name=Klasse", "Volume Name==X"}) {
    const auto parsed = parseColumnAssignment(bad, fields);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << bad;
    EXPECT_FALSE(std::get<std::string>(parsed).empty());
  }

  // What the dialog and the command show reads back the same.
  for (const ColumnSource& source :
       {ColumnSource::field("Klasse"), ColumnSource::fixed("5=b"), ColumnSource{}}) {
    const auto again =
        parseColumnAssignment(columnAssignmentText(PspaColumn::Grade, source), fields);
    ASSERT_TRUE(std::holds_alternative<ColumnAssignment>(again));
    EXPECT_EQ(std::get<ColumnAssignment>(again).source, source);
  }
}

TEST(PersonNameParts, CutsListNamesWithAndWithoutAComma) {
  EXPECT_EQ(personNameParts("Lee, Ann"), (PersonNameParts{"Lee", "Ann"}));
  EXPECT_EQ(personNameParts(" Ann  Lee "), (PersonNameParts{"Lee", "Ann"}));
  EXPECT_EQ(personNameParts("Ann Marie van Dam"), (PersonNameParts{"Dam", "Ann Marie van"}));
  EXPECT_EQ(personNameParts("van Dam, Ann Marie"), (PersonNameParts{"van Dam", "Ann Marie"}));
  EXPECT_EQ(personNameParts("Cher"), (PersonNameParts{"Cher", ""}));
  EXPECT_EQ(personNameParts(""), (PersonNameParts{"", ""}));
}

TEST(VolumeName, TakesPortableFolderNamesOnly) {
  for (const char* good : {"Yearbook2025", "LHS_2025-26", "a", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"})
    EXPECT_FALSE(volumeNameProblem(good)) << good;
  for (const char* bad : {"", "Year book", "Jahrbuch/5", "..", ".hidden", "-x", "Année",
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", "con", "LPT1", "Nul"})
    EXPECT_TRUE(volumeNameProblem(bad)) << bad;
  EXPECT_FALSE(volumeNameProblem("COM0")) << "only COM1 to COM9 are devices";
}

TEST(PackageFileNames, MakesAsciiNamesUniqueIgnoringCase) {
  PackageFileNames names;
  EXPECT_EQ(names.assign("", "Ann Lee", 0), "Ann_Lee.jpg");
  EXPECT_EQ(names.assign("", "ann  lee", 1), "ann_lee_2.jpg");
  EXPECT_EQ(names.assign("", "Zoë O'Brien-Łukasz", 2), "Zoe_O_Brien-Lukasz.jpg");
  EXPECT_EQ(names.assign("", "Müßig, Straße", 3), "Mussig_Strasse.jpg");
  EXPECT_EQ(names.assign("", "李明", 4), "portrait.jpg");
  EXPECT_EQ(names.assign("", "Alexandra Konstantinopoulou-Papadopoulou", 5),
            "Alexandra_Konstantinopou.jpg");
  for (const char* name : {"Ann_Lee.jpg", "Mussig_Strasse.jpg", "Zoe_O_Brien-Lukasz.jpg"})
    EXPECT_TRUE(PackageFileNames::isValidFileName(name)) << name;
  for (const char* name : {"Ann Lee.jpg", "Ann.png", ".jpg", "-x.jpg", "../x.jpg", "Zoë.jpg"})
    EXPECT_FALSE(PackageFileNames::isValidFileName(name)) << name;
}

TEST(PackageFileNames, KeepsHeldNamesAndNeverGivesOutAnotherPersonsName) {
  PackageFileNames names;
  names.reserveHeldName("Ann_Lee.jpg", 1);    // the first Ann Lee of the last export
  names.reserveHeldName("ann_lee_2.JPG", 7);  // a person not exported this time
  names.reserveHeldName("Ann_Lee.jpg", 4);    // a copy of the first row's name
  names.reserveHeldName("Bad Name.jpg", 5);   // not a package name: made anew
  // A new Ann Lee above the old one takes neither held name.
  EXPECT_EQ(names.assign("", "Ann Lee", 0), "Ann_Lee_3.jpg");
  EXPECT_EQ(names.assign("Ann_Lee.jpg", "Ann Lee", 1), "Ann_Lee.jpg");
  EXPECT_EQ(names.assign("Ann_Lee.jpg", "Ann Lee", 4), "Ann_Lee_4.jpg")
      << "a copied row's name stays with the first holder";
  EXPECT_EQ(names.assign("Bad Name.jpg", "Bad Name", 5), "Bad_Name.jpg");
  EXPECT_EQ(names.assign("ANN_LEE.JPG", "Someone", 6), "Someone.jpg")
      << "a name held by another, in another case, is not taken";
}

TEST(IndexFile, WritesTheHeaderAndRowsTabSeparatedWithCrLfAndCleanCells) {
  IndexRecord record;
  record.fill("");
  record[0] = "Vol";
  record[2] = "A.jpg";
  record[4] = " Lee\tJr ";
  record[5] = "Ann\r\nMarie";
  record[12] = "LARGE";
  EXPECT_EQ(indexFileText({record}),
            "Volume Name\tImage Folder\tImage File Name\tGrade\tLast Name\tFirst Name\tHome Room\t"
            "Period\tTeacher Name\tTrack\tDepartment\tTitle\tImage Size\r\n"
            "Vol\t\tA.jpg\t\tLee Jr\tAnn  Marie\t\t\t\t\t\t\tLARGE\r\n");
}

TEST(PortraitCrop, CutsTheLargest4To5PartAndPlacesItByHeadroom) {
  EXPECT_EQ(portraitCrop(6000, 4000, 0.0), (CropRect{1400, 0, 3200, 4000}));
  EXPECT_EQ(portraitCrop(6000, 4000, 1.0), (CropRect{1400, 0, 3200, 4000}))
      << "a wide photo has no height to spare";
  EXPECT_EQ(portraitCrop(4000, 6000, 0.0), (CropRect{0, 500, 4000, 5000}));
  EXPECT_EQ(portraitCrop(4000, 6000, 1.0), (CropRect{0, 0, 4000, 5000}));
  EXPECT_EQ(portraitCrop(4000, 6000, -1.0), (CropRect{0, 1000, 4000, 5000}));
  EXPECT_EQ(portraitCrop(4000, 6000, 0.5), (CropRect{0, 250, 4000, 5000}));
  EXPECT_EQ(portraitCrop(4000, 6000, 7.0), (CropRect{0, 0, 4000, 5000}));
  EXPECT_EQ(portraitCrop(640, 800, 0.3), (CropRect{0, 0, 640, 800}));
  EXPECT_EQ(portraitCrop(0, 800, 0.0), CropRect{});

  EXPECT_EQ(decodeEighths(6000, 4000, {640, 800}), 2) << "4000 high: 1/4 is 1000, 1/8 too little";
  EXPECT_EQ(decodeEighths(4000, 6000, {640, 800}), 2);
  EXPECT_EQ(decodeEighths(6000, 4000, {320, 400}), 1);
  EXPECT_EQ(decodeEighths(1200, 1000, {640, 800}), 7);
  EXPECT_EQ(decodeEighths(600, 700, {640, 800}), 8) << "too small: read whole";
}

}  // namespace
}  // namespace vantrel::yearbook
