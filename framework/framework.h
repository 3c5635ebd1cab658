// The whole class library in one include.
#pragma once

#include "framework/controls.h"
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/message_map.h"
#include "framework/paint_dc.h"
#include "framework/services.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
