#include "TableFixture.h"
