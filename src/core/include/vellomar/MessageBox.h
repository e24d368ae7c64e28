#pragma once

#include <string>

namespace vellomar {

// Flags of the message-box operation: buttons and icon.
inline constexpr int MB_OK = 0;
inline constexpr int MB_ICONERROR = 16;

// The one way the loader and the commands talk to the user. The window shows a modal box;
// the command-line converter prints a line on standard error.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Returns the button pressed; every caller in this program ignores it.
    virtual int MessageBox(const std::string& text, const std::string& caption, int flags) = 0;
};

} // namespace vellomar
