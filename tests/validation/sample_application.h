#pragma once

// The sample application lives with its generator; include that header in new code.
#include "examples/generator/sample_application.h"
