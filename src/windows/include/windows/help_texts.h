// SPDX-License-Identifier: MIT
#pragma once

// Plain C++ that the presenter owns; the windows and their tests keep
// reaching it by its old name.
#include "presenter/help_texts.h"
