#pragma once

struct Form;

// Everything between creating the window and showing it.
void Form_Load(Form& form);
// Sets UserName to the login name (never empty).
void LookupUserIdentity(Form& form);
