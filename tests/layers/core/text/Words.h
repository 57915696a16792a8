#pragma once
// A text folder that reaches up into the collection: refused.
#include "core/collection/Entry.h"
