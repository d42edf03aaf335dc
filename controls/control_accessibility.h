#pragma once

// Lets a screen reader meet the drawn controls as what they stand for (a
// slider, a progress bar, a label, a link) rather than as blank areas. Every
// drawn control installs it when it is made; a second install changes nothing.
void installControlAccessibility();
