// Acad::ErrorStatus: the status every database operation returns (eOk is 0).
// The values are the host's; the module relies on eOk (0), eNotApplicable (2)
// and eWrongObjectType (46).
#pragma once

namespace Acad {
enum ErrorStatus {
  eOk = 0,
  eNotImplementedYet = 1,
  eNotApplicable = 2,
  eInvalidInput = 3,
  eOutOfMemory = 6,
  eBufferTooSmall = 7,
  eInvalidOpenState = 8,
  eNullObjectPointer = 15,
  eNullObjectId = 16,
  eNullBlockName = 17,
  eNullEntityPointer = 20,
  eKeyNotFound = 22,
  eDuplicateKey = 23,
  eInvalidIndex = 24,
  eAlreadyInDb = 26,
  eInvalidExtents = 30,
  eInvalidSymbolTableName = 32,
  eWrongObjectType = 46,
  eWasErased = 64,
  eNotInDatabase = 65,
  eNotOpenForRead = 75,
  eNotOpenForWrite = 76,
  eWasOpenForRead = 79,
  eWasOpenForWrite = 80,
  eEndOfFile = 102,
  eFileNotFound = 103,
  eCantOpenFile = 104,
  eNotThatKindOfClass = 106,
  eBadDxfSequence = 118,
  eInvalidDxfCode = 122,
  eDwgNotRecognized = 132,
  eFileAccessErr = 123,
  eIllegalReplacement = 164,
};
} // namespace Acad
