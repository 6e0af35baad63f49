// A core file that includes a platform header other than the key table.
#include <vector>

#include "core/keys.h"
#include "platform/platform.h"
