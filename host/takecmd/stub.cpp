int TakeCmdStub;
