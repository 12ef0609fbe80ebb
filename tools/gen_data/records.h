#pragma once
#include "persistence/records.h"

namespace gen {

// The records table a fresh game starts with: ten made-up names, each
// different, with scores falling from the first to the last. The same on
// every run.
nb::RecordsTable MakeDefaultRecords();

}  // namespace gen
