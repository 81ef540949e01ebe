#pragma once
#include "model/TypewardenDefaults.h"
