// Resource numbers shared by the resource script and the code.
#pragma once

#define IDI_APP 1
#define IDI_BIGBUTTON_FIRST 101 /* 101 ... 110: the icons of the ten big buttons, in button order */
#define IDR_BANNER_FIRST 201    /* 201 ... 204: the four banner pictures (PNG) */
#define IDR_MANIFEST 1
