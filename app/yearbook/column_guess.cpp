#include "column_guess.h"

#include <string_view>

#include "ascii_name.h"
#include "yearbook_fields.h"

namespace vantrel::yearbook {

namespace {

struct ColumnNames {
  PspaColumn column;
  // Keys (columnNameKey), most specific first.
  std::vector<std::string_view> keys;
};

// Names and last names are guessed first, so that "Name" style columns cannot take them.
const std::vector<ColumnNames>& knownNames() {
  static const std::vector<ColumnNames> names = {
      {PspaColumn::LastName,
       {"lastname", "surname", "familyname", "nachname", "familienname", "zuname", "nomdefamille",
        "nom", "apellidos", "apellido", "primerapellido", "achternaam", "familienaam"}},
      {PspaColumn::FirstName,
       {"firstname", "givenname", "forename", "vorname", "rufname", "prenom", "prenoms", "nombre",
        "nombres", "voornaam", "roepnaam"}},
      {PspaColumn::Grade,
       {"grade", "gradelevel", "yeargroup", "year", "klassenstufe", "jahrgangsstufe", "jahrgang",
        "stufe", "klasse", "niveau", "classe", "grado", "curso", "nivel", "leerjaar", "klas",
        "groep", "class", "form"}},
      {PspaColumn::HomeRoom,
       {"homeroom", "homeform", "tutorgroup", "room", "klassenraum", "raum", "zimmer",
        "salledeclasse", "salle", "aula", "salon", "klaslokaal", "lokaal", "stamgroep"}},
      {PspaColumn::Period, {"period", "stunde", "periode", "periodo"}},
      {PspaColumn::TeacherName,
       {"teachername",
        "teacher",
        "classteacher",
        "formteacher",
        "tutor",
        "klassenlehrerin",
        "klassenlehrer",
        "lehrerin",
        "lehrer",
        "lehrkraft",
        "enseignante",
        "enseignant",
        "professeurprincipal",
        "professeur",
        "prof",
        "maestra",
        "maestro",
        "profesora",
        "profesor",
        "tutora",
        "docente",
        "leerkracht",
        "leraar",
        "lerares",
        "docent",
        "mentor"}},
      {PspaColumn::Track, {"track", "zweig", "bildungsgang", "filiere", "itinerario", "richting"}},
      {PspaColumn::Department,
       {"department", "dept", "abteilung", "fachbereich", "departement", "service", "departamento",
        "afdeling", "sectie"}},
      {PspaColumn::Title,
       {"title", "position", "role", "anrede", "titel", "funktion", "titre", "civilite", "fonction",
        "titulo", "tratamiento", "cargo", "aanhef", "functie"}},
  };
  return names;
}

}  // namespace

ColumnMapping guessColumnMapping(const std::vector<std::string>& fieldNames) {
  std::vector<std::string> keys;
  std::vector<bool> used;
  for (const std::string& name : fieldNames) {
    const std::string key = columnNameKey(name);
    const bool ours =
        key == columnNameKey(kYearbookPhotoField) || key == columnNameKey(kYearbookFileField);
    keys.push_back(key);
    used.push_back(ours || key.empty());
  }
  ColumnMapping mapping;
  for (const ColumnNames& column : knownNames()) {
    bool found = false;
    for (std::string_view wanted : column.keys) {
      for (std::size_t i = 0; i < keys.size() && !found; ++i) {
        if (used[i] || keys[i] != wanted) continue;
        mapping.setSource(column.column, ColumnSource::field(fieldNames[i]));
        used[i] = true;
        found = true;
      }
      if (found) break;
    }
  }
  return mapping;
}

}  // namespace vantrel::yearbook
