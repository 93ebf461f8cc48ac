// Something that answers a line of text, such as the editor's status line.
#pragma once

#include <string>

namespace Framework {

class Textprovider {
public:
    // A copy of the current text; requester is the component that asks.
    virtual std::string text(const void* requester) = 0;

protected:
    ~Textprovider() = default;
};

} // namespace Framework
