enum {
  // The bad module's one dialog description: a combo box and a check box
  DLG_BAD = 1900100,
  IDC_BAD_COMBO = 1900101,
  IDC_BAD_CHECK = 1900102,
};
