// useParentConsole: a program built for the desktop gets no console of its
// own. Started from a command prompt, it joins that one, so that its lines on
// stdout and stderr are seen and Ctrl+C there reaches it; output already sent
// to a file or a pipe stays where it goes. Either way its lines end as on
// other systems.
#pragma once

void useParentConsole();
