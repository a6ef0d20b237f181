#pragma once
// Runtime errors carry the old runtime's numbers and texts, since the programs show and test them.
#include <stdexcept>
#include <string>

namespace vb {

enum ErrorNumber : int {
    errReturnWithoutGoSub = 3,
    errInvalidProcedureCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errBadFileNameOrNumber = 52,
    errFileNotFound = 53,
    errBadFileMode = 54,
    errFileAlreadyOpen = 55,
    errDeviceIO = 57,
    errFileAlreadyExists = 58,
    errBadRecordLength = 59,
    errDiskFull = 61,
    errInputPastEnd = 62,
    errBadRecordNumber = 63,
    errPermissionDenied = 70,
    errPathFileAccess = 75,
    errPathNotFound = 76,
    errObjectVariableNotSet = 91,
    errInvalidPattern = 93,
    errInvalidFileFormat = 321,
    errInvalidPropertyValue = 380,
    errCancel = 32755,
};

// The runtime's own description for an error number ("Overflow", "File not found" ...);
// "Application-defined or object-defined error" for numbers it does not know.
std::string ErrorDescription(int number);

struct Error : std::runtime_error {
    int number;
    std::string description;
    std::string source;

    explicit Error(int number);
    Error(int number, std::string description, std::string source = {});
};

}  // namespace vb
