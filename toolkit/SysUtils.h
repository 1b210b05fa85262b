// Text and number helpers of the UI library's run-time: conversions that raise EConvertError,
// and Format with the %s and %d the program's messages use.
#pragma once

#include "toolkit/Types.h"

#include <initializer_list>

namespace toolkit {

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X". Leading blanks are
// skipped; anything else that is not a digit (trailing blanks included) is refused, as is a value
// outside the 32-bit signed range (hexadecimal up to $FFFFFFFF wraps to a negative value, as the
// library's conversion does). Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(StringView s);
int StrToIntDef(StringView s, int defaultValue);
bool TryStrToInt(StringView s, int& value);
String IntToStr(long long value);

// Replaces each %s and %d in order with the arguments (already text); "%%" is a percent sign.
String Format(StringView format, std::initializer_list<StringView> args);

String Trim(StringView s);
String UpperCase(StringView s); // ASCII letters only, as the library's UpperCase
String LowerCase(StringView s);
// Case-insensitive comparison for Latin and Cyrillic letters: < 0, 0, > 0.
int AnsiCompareText(StringView a, StringView b);
bool SameText(StringView a, StringView b);

// The file name of the running program without folder and extension.
String ApplicationFileStem();

} // namespace toolkit
