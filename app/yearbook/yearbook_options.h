// What the operator chooses for one yearbook package.
#pragma once

#include <string>

#include "column_mapping.h"
#include "portrait_size.h"

namespace vantrel::yearbook {

struct YearbookOptions {
  // The package's top folder and the index's Volume Name (see volumeNameProblem).
  std::string volumeName;
  PortraitSize size = PortraitSize::Large;
  // The studio's notice for COPYRIGHT.TXT; empty gives a plain "All rights reserved" notice.
  std::string copyright;
  // Where the 4:5 crop sits in a photo taller than 4:5, from -1 (at the bottom) through 0 (centred)
  // to 1 (at the top, the most room above the head); values beyond are taken as -1 or 1.
  double headroom = 0.0;
  ColumnMapping mapping;
  // A package folder that exists and is not empty is replaced instead of refused.
  bool replace = false;
  // Nothing is written when anyone has no portrait.
  bool requireAll = false;
};

}  // namespace vantrel::yearbook
