.pragma library

// The main window's pages, by their place in its page stack.
var connection = 0;
var sensors = 1;
var config = 2;
var cloud = 3;
var status = 4;
var history = 5;
var site = 6;
