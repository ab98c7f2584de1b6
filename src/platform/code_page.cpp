#include "platform/code_page.h"

#include <windows.h>

#include "timers/field_text.h"

void useActiveCodePageForFields() {
    setFieldTextEncoding(GetACP() == CP_UTF8 ? TextEncoding::Utf8 : TextEncoding::SingleByte);
}
