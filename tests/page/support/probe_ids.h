// Resource and control identifiers of the probe page used by the page tests.
#pragma once

#define PROBE_BACKGROUND_ID 130
#define PROBE_TITLE_ID 1029
#define PROBE_POWER_ID 1018
#define PROBE_BADGE_ID 1026
#define PROBE_SWITCH_ID 1005
#define PROBE_EDIT_ID 1040
