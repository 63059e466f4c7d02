#pragma once
// Resource numbers of the player.
#define IDC_LINK_CURSOR 1003
#define IDI_PLAY 1004
#define IDI_STOP 1005
#define IDD_BOARD 1001
