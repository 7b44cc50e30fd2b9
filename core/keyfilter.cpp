#include "core/keyfilter.h"

static_assert(core::filterKey(U'7') == U'7');
static_assert(core::filterKey(core::backspaceCode) == core::backspaceCode);
static_assert(core::filterKey(U'.') == core::commaCode);
