#pragma once
// What assistive technology is told about the window's own display widgets (QtField and
// QtSpeedBar): a read-only text and a progress bar, as the Qt widgets they stand in for.

// Installs the factory once; further calls do nothing.
void InstallDisplayAccessibility();
