#pragma once

// Whether the program runs under Wine rather than Windows. Some ways around
// Wine's costs are measured and proven there only, and are taken there only.
bool runningUnderWine();
