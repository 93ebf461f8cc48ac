// A Linux library carries no version resource: "info" says so and names
// the effect's own version instead.
#include "../versionresource.h"

Versionresource::Versionresource(const std::string& /*path*/) {}

std::string Versionresource::fileVersion() const
{
    return std::string();
}

std::string Versionresource::text(const std::string& /*name*/) const
{
    return std::string();
}
