#pragma once
// Everything a window's code needs from the forms model.
#include "platform/forms/backend.h"
#include "platform/forms/bars.h"
#include "platform/forms/constants.h"
#include "platform/forms/control.h"
#include "platform/forms/controls.h"
#include "platform/forms/font.h"
#include "platform/forms/form.h"
#include "platform/forms/list.h"
#include "platform/forms/menu.h"
#include "platform/forms/picture.h"
#include "platform/forms/surface.h"
