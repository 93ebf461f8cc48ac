// Base of every drawable object the editor owns, so they can be kept and deleted through one pointer type.
#pragma once

namespace Framework {

class Resource {
public:
    Resource() = default;
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;
    virtual ~Resource() = default;
};

} // namespace Framework
