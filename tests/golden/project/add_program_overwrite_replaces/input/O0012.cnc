O12
old
