/* Resource and control ids of the launcher dialog and the greetings panel,
   shared by the resource script and the dialog procedures. */
#ifndef VELMORA_LAUNCHER_RESOURCES_H
#define VELMORA_LAUNCHER_RESOURCES_H

#define LauncherDialog 104
#define GreetingsDialog 106

/* The launcher's controls besides OK (IDOK, 1) and Cancel (IDCANCEL, 2). */
#define FullscreenButton 1003
#define WindowedButton 1004
#define GreetingsButton 1005

#endif
