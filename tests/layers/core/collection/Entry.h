#pragma once
#include "core/text/Words.h"
