#pragma once

#include <string>

#include "vellomar/Exception.h"

namespace vellomar {

// The file cannot be opened for reading.
class EFOpenError : public Exception {
public:
    explicit EFOpenError(const std::string& fileName) : Exception("Cannot open file " + fileName) {}
};

// The file ends before a part the loader needs.
class EReadError : public Exception {
public:
    EReadError() : Exception("Stream read error") {}
};

// The data is not a bitmap this loader can turn into a picture.
class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception("Bitmap image is not valid") {}
};

} // namespace vellomar
