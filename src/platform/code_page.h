#pragma once

// Makes the cuts of timer texts follow the process's active code page
// (UTF-8 under the program's manifest).
void useActiveCodePageForFields();
