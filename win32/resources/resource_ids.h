/* Resource and control ids, shared by the resource script and the code. */
#pragma once

#define IDI_APPICON 101

#define IDD_PARAMDIALOG 6000
#define IDC_ALTSLIDER 6001
#define IDC_AMPSLIDER 6002
#define IDC_FREQSLIDER 6003
#define IDC_PHASESLIDER 6004
#define IDC_ALTVALUE 6005
#define IDC_AMPVALUE 6006
#define IDC_FREQVALUE 6007
#define IDC_PHASEVALUE 6008
