// The control types of the owner-drawn 3-D controls, so that dialog
// templates can name them by class.
#pragma once

// Registers "zCheckBox3dClass", "zRadioBtn3dClass", "zStatTxt3dClass",
// "zGroupBox3dClass", "zBmpBtnClass" and "zPanel3dClass", in that order;
// each call appends a full set.
void zRegisterControls3dTypes();
