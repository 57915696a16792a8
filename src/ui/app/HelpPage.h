#pragma once

#include <QString>

// The help page in the language of the program's texts, below the folders shipped
// files are found in: the French page where the texts are French and it is there,
// else the English one.
QString helpPagePath();
