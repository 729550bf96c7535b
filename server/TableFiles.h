#pragma once
#include "TableRecord.h"

#include <string>
#include <vector>

namespace DoDadu {

// Every table in its own file of the state folder, CODE.table: a JSON object closed by a
// check value over the rest. A write goes to a new file that is flushed to the disk and
// then renamed over the old one, so a kill at any moment leaves the old file or the new
// one, whole.
class TableFiles {
public:
    explicit TableFiles(std::string folder) : folder(std::move(folder)) {}
    // False when the folder cannot be made or written.
    bool Ready() const;
    bool Write(const TableRecord& record) const;
    void Remove(const std::string& code) const;
    // Every table whose file is whole; the names of the others go to skipped.
    std::vector<TableRecord> ReadAll(std::vector<std::string>& skipped) const;

    // The file's text, and back: false for damaged or hostile text.
    static std::string Text(const TableRecord& record);
    static bool FromText(const std::string& text, TableRecord& record);

private:
    std::string PathOf(const std::string& code) const { return folder + "/" + code + ".table"; }
    std::string folder;
};

}  // namespace DoDadu
