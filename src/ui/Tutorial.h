#pragma once

struct Form;

// The first-time tutorial: boxes, buttons and the pointer that glides along the sidebar.
void StartTutorial(Form& form);
void Timer1_Timer(Form& form);
void helpboxbm_Click(Form& form);
void cmdhelp1_Click(Form& form);
void cmdhelp2_Click(Form& form);
void cmdback1_Click(Form& form);
void cmdback2_Click(Form& form);
void cmdhelp3_Click(Form& form);

// The pointer's Top in twips, kept exactly as set (pixels would round it); the widget follows.
int pointerTop(const Form& form);
void setPointerTop(Form& form, int top);
