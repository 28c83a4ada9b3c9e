// Case folding and name ordering for the names list, done by Qt for every script.
#pragma once

#include "text_folding.h"

vantrel::names::TextFolding namesTextFolding();
