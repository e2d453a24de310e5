// Query values of web addresses, and the address of the error-report page.
#pragma once

#include <string>

// The host of the error-report page when the settings name none.
extern const char16_t kErrorReportHost[];

// The text as a query value: its UTF-8 bytes, ASCII letters and digits as
// they are and every other byte as "%" and two lower-case hexadecimal
// digits, so that any standard decoder gives the text back.  An absent text
// gives an empty one.  A temporary string.
const char16_t *EncodeUrlQuery(const char16_t *text);

// "http://" host "/crashreport.php?msg=" error text, CR LF CR LF and the
// system information, "&file=" the current file and "&log=" the report
// file, each value encoded.  An empty or absent host is kErrorReportHost.
std::u16string BuildErrorReportAddress(const char16_t *host, const char16_t *errorText,
                                       const char16_t *systemInfo, const char16_t *currentFile,
                                       const char16_t *reportPath);
