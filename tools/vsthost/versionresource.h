// The version resource of a Windows file (what Explorer shows in its
// properties): the fixed file version and the English string table.
#pragma once

#include <string>
#include <vector>

class Versionresource {
public:
    // Reads the resource of the file; a file without one reads as empty.
    explicit Versionresource(const std::string& path);

    bool found() const { return !data.empty(); }
    // The fixed file version as "major.minor.patch.build", or "" without a resource.
    std::string fileVersion() const;
    // A value of the string table ("ProductVersion", "CompanyName", ...), or "".
    std::string text(const std::string& name) const;

private:
    std::vector<char> data;
};
