#pragma once
#include <string>

namespace NeloUtility {

// Small per-user settings kept as text values in the registry, under
// HKEY_CURRENT_USER\Software\NeloSettings\<application>\<section>. Names and values are
// narrow text, widened byte by byte for the registry and narrowed back by keeping the
// low byte. Nothing is cached; every failure is silent.

// The stored text; empty when the keys cannot be opened or created, the value does
// not exist, or it is longer than 1024 characters. Missing key levels are created,
// by reads as well.
std::string ReadSetting(const std::string& application, const std::string& section, const std::string& name);
// The same for a value that must have been stored as text: one of any other type reads
// as empty, whatever its bytes spell.
std::string ReadTextSetting(const std::string& application, const std::string& section,
                            const std::string& name);

// Stores the text as a string value without a terminating NUL. A failed write is not
// reported: callers that care read the value back.
void WriteSetting(const std::string& application, const std::string& section, const std::string& name,
                  const std::string& value);

}  // namespace NeloUtility
