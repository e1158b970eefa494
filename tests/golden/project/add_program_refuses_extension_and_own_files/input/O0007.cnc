O7
