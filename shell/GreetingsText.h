/* The greetings panel's lines, the same in every platform's launcher. Plain
   macros and C comments: the Windows resource compiler reads this file
   too. Handles and groups are invented for this demo. */
#ifndef VELMORA_GREETINGS_TEXT_H
#define VELMORA_GREETINGS_TEXT_H

#define GREETINGS_HEADING "We love: "
#define GREETINGS_FIRST_LINE "Gravelhorn, Lumenwick, Pale Ferrite, Octoberdust, Skarnvik,"
#define GREETINGS_SECOND_LINE "Threnodyne, Blue Aspic, Mirecraft, Quillfold and Saltmarrow"
#define GREETINGS_CLOSING_LINE "... and everybody who still codes for the fun of it!"
#define GREETINGS_SIGNATURE "zeb"

#endif
