#pragma once
// What the texts become: the ids header of the program, the string resources of every
// language, and the same texts as a C++ table for code that runs without Windows.
#include "TextCatalog.h"

#include <string>

namespace textgen {

// The first id; the others follow in the order of en.po.
constexpr unsigned kFirstTextId = 1;

std::string IdsHeader(const Catalog& catalog);
std::string ResourceScript(const Catalog& catalog);
std::string TableSource(const Catalog& catalog);

}  // namespace textgen
