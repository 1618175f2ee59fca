#pragma once

class QLineEdit;

// Sounds the 150 Hz, 600 ms tone whenever typing or pasting into the box would go past its
// length limit. The box itself still keeps only what fits.
void BeepOnOverflow(QLineEdit* box);
