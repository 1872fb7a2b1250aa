// What the markup engine needs of the system: the code page's lead bytes.
#pragma once

namespace XmlPlatform {
// True when c starts a two-byte character of the system code page.
bool IsLeadByte(unsigned char c);
}  // namespace XmlPlatform
