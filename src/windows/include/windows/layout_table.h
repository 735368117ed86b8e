// SPDX-License-Identifier: MIT
#pragma once

// Plain C++ that the presenter owns, shared by every front-end; the windows
// and their tests keep reaching it by its old name.
#include "presenter/layout_table.h"
