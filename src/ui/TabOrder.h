#pragma once

struct Form;

// Tab goes through the open tutorial box, then the visible page in the order its work flows,
// then the sidebar and last the window's minimise and close buttons. Hidden controls are
// skipped, so one chain serves every page.
void setWindowTabOrder(Form& form);
