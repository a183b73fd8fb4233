#pragma once

namespace Analysis {

// Registers the analysis views with the shell's forms, by the names the commands start them by.
void RegisterForms();

}  // namespace Analysis
